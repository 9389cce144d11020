#pragma once
// The record-file panel of the main window: drive, folder and file lists, the
// four labelled text boxes and the "RETURN" button. Only showing and hiding
// is asked for here; reading the fields joins when records are written.

namespace korvel {

struct RecordPanelView {
  virtual ~RecordPanelView() = default;
  // Shows (1) or hides (0) the drive list, the folder list and the file list,
  // each by its own flag.
  virtual void set_lists_visible(int drive, int folder, int files) = 0;
  // 1: shows the four labels, the four text boxes and the button, texts kept.
  // 0: empties the four text boxes, then hides all of them.
  virtual void set_fields_visible(int visible) = 0;
};

}  // namespace korvel
