// The program's name and argument line as dos.library keeps them.
#pragma once

namespace dosprogram {

// Forgets what the program set; the next call takes them from Linux again.
void reset();

}  // namespace dosprogram
