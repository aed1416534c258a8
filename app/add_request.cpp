#include "app/add_request.h"

// NOT BUILT YET: no requester is shown; the answer is "cancelled".
const char* requestAdd(const char* argument, char** chosenPath) {
  if (chosenPath) *chosenPath = nullptr;
  return argument;
}
