// Splitting a text into its pieces between separators.
#pragma once
#include <string>
#include <vector>

// The non-empty pieces of text between the separators, in order: runs of
// separators and separators at either end give no empty pieces.
std::vector<std::string> splitSkippingEmpty(const std::string& text, char separator);
