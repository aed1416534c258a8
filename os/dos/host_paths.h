// Amiga paths as Linux paths and back, for the parts of the hosted system that
// meet Linux itself (the shell, the desktop, dropped files).
#pragma once
#include <string>
#include <vector>

// The Linux path that an Amiga path stands for, its final link not followed.
// With forCreation the object itself need not exist. FALSE with IoErr set when
// the path leads nowhere.
bool HostPathOfAmigaPath(const char* amigaPath, bool forCreation, std::string& out);

// The one name of a Linux path (absolute, or relative to the Linux working
// folder): "Volume:dir/name" through the volume or assign with the most
// specific folder that holds it. Its folder is named where it really lies; a
// final link is named as the link.
std::string AmigaPathOfHostPath(const char* hostPath);

// A volume or assign with the Linux folder it starts in (an assign's first).
struct HostVolume {
  std::string name;  // "Games"
  std::string folder;
};
// The volumes and assigns in the order they were mounted (NIL: is none).
std::vector<HostVolume> HostVolumes();
