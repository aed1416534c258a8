// A launcher's commands made into what the shell runs, read once from left to
// right: the placeholders "%g", "%d", "%p" and "%%" and every program
// reference "${AppDir/NAME}" are replaced where they stand in the launcher's
// own text, and nothing that was put in is read again. So a game's path, its
// folder or a program's folder that itself holds "%g" or "${AppDir/...}"
// reaches the program byte for byte, and a program is only ever asked for
// because the launcher names it.
//
// A path put in for "%g" or "%d" is always one argument that the shell takes
// literally: inside the launcher's double quotes it is escaped; in a word the
// launcher left unquoted, that whole word is put in double quotes (the shell
// groups quotes only at a word's start), so "-file=%g" is written
// "-file=PATH" in quotes and "%dgame.adf" as "FOLDERgame.adf" in quotes. The
// rest of such a word, "%p" included, is then escaped as text in quotes;
// "%p" elsewhere is put in as the user wrote it, as shell text.
#pragma once

// What a launcher's "%g", "%p" and "%d" stand for: the game's path and folder
// in host form, and its parameters ("" when none).
struct LaunchFields {
  const char* path;
  const char* params;
  const char* folder;
};

// The commands with the fields put in (fields NIL: the placeholders stay as
// written) and every program reference replaced by the program's folder in
// host form, from its variable "AppDir/NAME" or, when that does not name a
// folder holding the program, asked for and remembered. A new string; NIL
// when nothing is to be started: the user did not supply a program, or a
// folder with a line break would land outside quotes (the user is told).
char* expandLaunchCommands(const char* commands, const LaunchFields* fields);
