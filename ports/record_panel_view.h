#pragma once
// The record-file panel of the main window: drive, folder and file lists, the
// four labelled text boxes and the "RETURN" button. The lists keep each other
// in step when asked to; the game reads the texts and the chosen folder.

#include <string>

namespace korvel {

struct RecordPanelView {
  virtual ~RecordPanelView() = default;
  // Shows (1) or hides (0) the drive list, the folder list and the file list,
  // each by its own flag.
  virtual void set_lists_visible(int drive, int folder, int files) = 0;
  // 1: shows the four labels, the four text boxes and the button, texts kept.
  // 0: empties the four text boxes, then hides all of them.
  virtual void set_fields_visible(int visible) = 0;

  // Text of Text1 (file name), Text2 (title), Text3 (先手), Text4 (後手), UTF-8.
  virtual std::string text(int box) = 0;
  // The file list's folder: records are read from and written to it.
  virtual std::string folder() = 0;
  // The file name last clicked in the file list, without folder.
  virtual std::string chosen_file() = 0;
  // The folder list moves to the chosen drive's folder; 0 when that drive
  // cannot be read (the folder list then stays where it was), else 1.
  virtual int folder_list_to_drive() = 0;
  // The file list shows the folder list's folder.
  virtual void file_list_to_folder() = 0;
  // Lists the file list's folder again, so a new record shows.
  virtual void refresh_files() = 0;
};

}  // namespace korvel
