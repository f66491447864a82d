#include "platform/failure.h"  // Failure, FailureLine, ReportFailure, FailureCause, SystemErrorText

#include <cctype>   // std::tolower
#include <cstdio>   // std::fputs, stderr
#include <cstring>  // std::strerror
#include <new>      // std::bad_alloc

#include "platform/terminal_safe.h"  // AppendTerminalSafe

namespace odbdiff {

Failure::Failure(std::string_view file, std::string_view reason)
    : std::runtime_error(std::string(file) + ": " + std::string(reason)) {}

std::string FailureLine(std::string_view cause) {
  std::string line = "odbdiff: ";
  // A line break inside the cause would end the line early.
  std::string one_line(cause);
  for (char& byte : one_line) {
    if (byte == '\n' || byte == '\r') byte = ' ';
  }
  AppendTerminalSafe(one_line, line);
  return line;
}

void ReportFailure(std::string_view cause) {
  const std::string line = FailureLine(cause) + '\n';
  // Nothing is left to tell the user if standard error itself fails.
  std::fputs(line.c_str(), stderr);
}

std::string FailureCause(const std::exception& failure) {
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) return "out of memory";
  return failure.what();
}

std::string SystemErrorText(int error) {
  std::string text = std::strerror(error);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

}  // namespace odbdiff
