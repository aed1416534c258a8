// A fresh folder for each test under $LUDEX_TEST_ROOT, mounted as the volume
// "Sandbox:" and made the process's current directory. Every standard volume
// that would reach the user's own folders points into it too: Home: at
// <root>/home, PROGDIR: at <root>/progdir, ENV: <root>/env, ENVARC: <root>/envarc,
// T: <root>/t; so a test never touches them.
//
//   TEST_F(...) { DosSandbox box; box.writeFile("a/b.txt", "x"); Lock("Sandbox:a/b.txt", ...); }
//
// Its end starts dos.library afresh and removes the folder, unless the test
// failed (then the folder stays for a look).
#pragma once
#include <string>

class DosSandbox {
 public:
  explicit DosSandbox(const char* volume = "Sandbox");
  ~DosSandbox();
  // Starts dos.library afresh on the same folders, as the next start of a
  // program would find them: after a forked child changed them (it shares
  // the watch of folders, and so takes the news of its changes along).
  void restartDos() const;
  DosSandbox(const DosSandbox&) = delete;
  DosSandbox& operator=(const DosSandbox&) = delete;

  // The Linux folder of the sandbox, and a Linux path inside it.
  const std::string& root() const { return root_; }
  std::string host(const std::string& relative) const;

  // Makes a folder (with its parents) or a file (its folder too) inside.
  void makeDir(const std::string& relative) const;
  void writeFile(const std::string& relative, const std::string& contents = "") const;
  std::string readFile(const std::string& relative) const;
  bool exists(const std::string& relative) const;

 private:
  std::string root_;
  std::string volume_;
};
