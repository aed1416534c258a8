#include "app/games/game_path_index.h"

#include "app/games/game.h"
#include "core/clean_up.h"
#include "core/lists/mega_cursor.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string_space.h"

namespace {
game* gameOf(oMegaNode* node) { return static_cast<game*>(reinterpret_cast<class_base*>(node->data)); }
}  // namespace

void cGamePathIndex::new_cGamePathIndex(cMegaList_class* games) {
  games_ = games;
  paths_ = new cStringSpace;
  paths_->new_cStringSpace(false, CASE_INSENSITIVE);
  oMegaNode* end = games->infoPastEnd()->infoMiniNode();
  for (auto* node = static_cast<oMegaNode*>(end->next); node != end; node = static_cast<oMegaNode*>(node->next))
    add(node);
}

void cGamePathIndex::end_class() {
  End(paths_);
  class_base::end_class();
}

void cGamePathIndex::add(oMegaNode* node) {
  paths_->set_cStringSpace(gameOf(node)->path, reinterpret_cast<intptr_t>(node), true);
}

void cGamePathIndex::addLast() { add(static_cast<oMegaNode*>(games_->infoPastEnd()->infoMiniNode()->prev)); }

game* cGamePathIndex::find(const char* path, cMegaCursorGeneric* gameCursor) {
  auto* node = reinterpret_cast<oMegaNode*>(paths_->get_cStringSpace(path));
  if (!node) return nullptr;
  // A cursor reaches a node only from another cursor on it.
  cMegaCursorGeneric* onNode = games_->make_cursor();
  WithCleanUp(
      [&] {
        onNode->new_cMegaCursorGeneric(node, games_, REMOVED_STAY, FOLLOW_NEVER);
        gameCursor->goto_cMegaCursorGeneric(onNode);
      },
      [&] { End(onNode); });
  return gameOf(node);
}
