// The main window's description: the filter fields, the games list, the tag
// filter list with its mode, the "Selected" text and the toolbar.
#pragma once
#include <cstdint>

class cGuiWindow;
class cGuiButton;
class cGuiList;
class cGuiCycleChoice;
class cGuiText;
class cGuiNativeIcon;

// The window and the items the event loop tells apart. The three filter
// fields are the globals guiFilterName, guiFilterPath and guiFilterTags.
struct MainWindow {
  cGuiWindow* window = nullptr;
  cGuiButton* clearFilter = nullptr;  // "X"
  cGuiList* games = nullptr;
  cGuiCycleChoice* mode = nullptr;  // "Show" / "Hide"
  cGuiList* tags = nullptr;         // the tag filter list
  cGuiNativeIcon* picture = nullptr;
  cGuiText* selected = nullptr;
  cGuiButton* openFolder = nullptr;
  cGuiButton* add = nullptr;
  cGuiButton* edit = nullptr;
  cGuiButton* tagAll = nullptr;
  cGuiButton* remove = nullptr;
  cGuiButton* prefs = nullptr;
};

// "MAIN": the id under which the window's place is remembered.
constexpr uint32_t MAIN_WINDOW_ID = (uint32_t('M') << 24) | (uint32_t('A') << 16) | (uint32_t('I') << 8) | 'N';

// Describes the main window (not built yet), filling both lists: every game
// (the filters are not read before the window is built) and every known tag.
MainWindow describeMainWindow();
