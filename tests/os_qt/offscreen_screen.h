// Qt's offscreen platform with one screen of a chosen size: the value for
// QT_QPA_PLATFORM, set before the Qt application is made. The platform reads
// the screen from a configuration file, written into `folder`.
#pragma once
#include <filesystem>
#include <fstream>
#include <string>

inline std::string offscreenPlatform(const std::filesystem::path& folder, int width, int height) {
  const std::filesystem::path file = folder / "offscreen-screen.json";
  std::ofstream(file) << "{\"screens\": [{\"name\": \"screen\", \"x\": 0, \"y\": 0, \"width\": " << width
                      << ", \"height\": " << height << "}]}\n";
  return "offscreen:configfile=" + file.string();
}
