// The mini list's self-test: nothing in the program calls it; it prints what a
// few changes do to a small list so that a developer can check them by eye.
#include <cstdio>
#include <initializer_list>

#include "core/lists/mini_list.h"

#include "core/clean_up.h"

void show(cMiniListGeneric* list) {
  std::printf("\nNodes from %ld to %ld:\n", static_cast<long>(list->node_read(list->start)),
              static_cast<long>(list->node_read(list->end)));
  for (oMiniNode* n = list->start; n != list->end; n = list->node_next(n)) {
    std::printf("node = %ld\n", static_cast<long>(list->node_read(n)));
  }
}

void main_cminilist() {
  auto* list = new cMiniList;
  cMiniList* mirror = nullptr;
  WithCleanUp(
      [&] {
        list->new_cMiniListGeneric(nullptr);
        for (intptr_t value : {12, 23, 34, 45, 56, 67, 78, 89})
          list->node_beforeInsert(list->end, list->makeNode(value));
        show(list);

        // Take out the second and third nodes, then put them back at the front.
        oMiniNode* second = list->node_next(list->start);
        oMiniNode* removed = list->node_remove(second, second->next->next);
        show(list);
        list->node_beforeInsert(list->start, removed);
        show(list);

        mirror = list->mirror_cMiniList();
        mirror->node_write(mirror->start, 999);
        show(mirror);
        show(list);
      },
      [&] {
        End(mirror);
        End(list);
      });
}
