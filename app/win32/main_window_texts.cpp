#include "app/win32/main_window_texts.h"

namespace vellumark::gui {
namespace {

constexpr std::string_view kProductName = "Vellumark";

std::string CountText(int count, std::string_view singular, std::string_view plural, int selected) {
  std::string text = std::to_string(count);
  text += ' ';
  text += count == 1 ? singular : plural;
  text += " / " + std::to_string(selected) + " selected ";
  return text;
}

void EraseAll(std::string& text, std::string_view piece) {
  for (std::size_t found; (found = text.find(piece)) != std::string::npos;) text.erase(found, piece.size());
}

}  // namespace

std::string FolderCountText(int entries, int ticked) { return CountText(entries, "folder", "folders", ticked); }

std::string FavoriteCountText(int total, int selected) {
  return CountText(total, "favorite", "favorites", selected);
}

std::string JoinShortcutFolders(const std::vector<std::string>& ticked) {
  std::string joined;
  for (std::size_t i = 0; i < ticked.size(); ++i) {
    if (i > 0) joined += '|';
    joined += ticked[i];
  }
  return joined;
}

std::vector<std::string> SplitShortcutFolders(std::string_view stored) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t bar; (bar = stored.find('|', start)) != std::string_view::npos; start = bar + 1) {
    pieces.emplace_back(stored.substr(start, bar - start));
  }
  pieces.emplace_back(stored.substr(start));
  return pieces;
}

std::string CaptionFromMenuText(std::string_view text) {
  std::string caption(text);
  EraseAll(caption, "&");
  EraseAll(caption, "...");
  return caption;
}

std::string ApplicationTitle(std::string_view companyName) {
  return std::string(companyName) + " " + std::string(kProductName);
}

std::string ApplicationVersionText(int major, int minor, int patch) {
  std::string text = std::string(kProductName) + " " + std::to_string(major) + "." + std::to_string(minor);
  if (patch != 0) text += "." + std::to_string(patch);
  return text;
}

}  // namespace vellumark::gui
