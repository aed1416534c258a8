#include "app/games/game_path_index.h"

#include "app/games/game.h"
#include "core/arena.h"
#include "core/clean_up.h"
#include "core/lists/mega_cursor.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/text.h"

namespace {

constexpr size_t FIRST_CAPACITY = 1024;

game* gameOf(oMegaNode* node) { return static_cast<game*>(reinterpret_cast<class_base*>(node->data)); }

// FNV-1a of the path with a-z folded, so that paths equal ignoring case meet.
uint64_t foldedHash(const char* path) {
  uint64_t hash = 14695981039346656037ull;
  for (const char* c = path ? path : ""; *c; ++c) hash = (hash ^ static_cast<unsigned char>(UpperChar(*c))) * 1099511628211ull;
  return hash;
}

}  // namespace

void cGamePathIndex::new_cGamePathIndex(cMegaList_class* games) {
  games_ = games;
  oMegaNode* end = games->infoPastEnd()->infoMiniNode();
  for (auto* node = static_cast<oMegaNode*>(end->next); node != end; node = static_cast<oMegaNode*>(node->next))
    add(node);
}

void cGamePathIndex::end_class() {
  Arena::release(slots_);
  slots_ = nullptr;
  capacity_ = count_ = 0;
  class_base::end_class();
}

oMegaNode* cGamePathIndex::nodeOf(const char* path, uint64_t hash) const {
  if (!slots_) return nullptr;
  for (size_t at = hash & (capacity_ - 1); slots_[at].node; at = (at + 1) & (capacity_ - 1))
    if (slots_[at].hash == hash && StrCmpNoCase(gameOf(slots_[at].node)->path, path)) return slots_[at].node;
  return nullptr;
}

void cGamePathIndex::grow() {
  const size_t capacity = capacity_ ? capacity_ * 2 : FIRST_CAPACITY;
  auto* slots = static_cast<Slot*>(Arena::alloc(sizeof(Slot) * capacity));
  for (size_t i = 0; i < capacity_; ++i) {
    if (!slots_[i].node) continue;
    size_t at = slots_[i].hash & (capacity - 1);
    while (slots[at].node) at = (at + 1) & (capacity - 1);
    slots[at] = slots_[i];
  }
  Arena::release(slots_);
  slots_ = slots;
  capacity_ = capacity;
}

void cGamePathIndex::add(oMegaNode* node) {
  const char* path = gameOf(node)->path;
  const uint64_t hash = foldedHash(path);
  if (nodeOf(path, hash)) return;  // the first game of a path counts
  if (2 * (count_ + 1) > capacity_) grow();
  size_t at = hash & (capacity_ - 1);
  while (slots_[at].node) at = (at + 1) & (capacity_ - 1);
  slots_[at] = {hash, node};
  ++count_;
}

void cGamePathIndex::addLast() { add(static_cast<oMegaNode*>(games_->infoPastEnd()->infoMiniNode()->prev)); }

game* cGamePathIndex::find(const char* path, cMegaCursorGeneric* gameCursor) {
  oMegaNode* node = nodeOf(path, foldedHash(path));
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
