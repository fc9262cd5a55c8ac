// The texts the main window shows and stores, built without the window:
// the status counts, the remembered set of ticked folders, and the About
// window's texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vellumark::gui {

// Panel 0: "12 folders / 3 selected " (singular for exactly 1; the final
// space belongs to the text).
std::string FolderCountText(int entries, int ticked);
// Panel 1: "250 favorites / 40 selected ".
std::string FavoriteCountText(int total, int selected);

// The texts of the ticked entries joined with "|" (no separator at the end).
std::string JoinShortcutFolders(const std::vector<std::string>& ticked);
// The stored text cut at every "|"; "" gives one empty piece.
std::vector<std::string> SplitShortcutFolders(std::string_view stored);

// A menu entry's text without every "&" and every "...":
// "&About Vellumark..." -> "About Vellumark".
std::string CaptionFromMenuText(std::string_view text);

// The message boxes' title: the maker's name, a space and "Vellumark".
std::string ApplicationTitle(std::string_view companyName);
// The About window's application text: "Vellumark 1.0"; a patch release
// adds its number: "Vellumark 1.0.2".
std::string ApplicationVersionText(int major, int minor, int patch);

}  // namespace vellumark::gui
