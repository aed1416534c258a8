// Setting a faulty game list file aside after loadGameList raised "list".
#pragma once

// What the start does once a faulty list was repaired.
enum class ListRepair {
  Repaired,     // the start ends; the next one opens the backup (or an empty list)
  StartEmpty,   // the backup was faulty too and is kept aside as well: go on with an empty list
  NotRepaired,  // a faulty file could not be kept aside and is left as it is: the start ends
};

// Keeps the faulty file that the last load read under the first free name of
// "Ludex.list.BAD", "Ludex.list.BAD.1", ... that is free (never deleting it),
// reads the backup and puts it in the list's place as a save puts a list
// there when it is whole, or keeps it aside too when it is faulty. Prints one
// line that says what it did.
ListRepair repairGameListFile();
