// A failure of the hosted system that ends the program: waiting for input
// that can never come, a UI script that cannot go on, a user action the
// window refuses. The program prints the message and returns the code.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

constexpr int32_t HOSTED_FAILURE_CODE = 20;

class HostedFailure : public std::runtime_error {
 public:
  explicit HostedFailure(const std::string& message, int32_t returnCode = HOSTED_FAILURE_CODE)
      : std::runtime_error(message), returnCode_(returnCode) {}
  int32_t returnCode() const { return returnCode_; }

 private:
  int32_t returnCode_;
};
