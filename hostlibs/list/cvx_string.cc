// CvxString: an owned copy of a text. A string that could not get memory
// holds the empty text; no exception leaves these methods.
#include <cstring>  // std::memchr, std::memcpy, std::strlen
#include <new>      // std::nothrow

#include "diff/host/list_library.h"  // CvxString

namespace {

// A new NUL-terminated copy of the first `length` bytes of `text`, or null
// when `length` is 0 or memory runs out.
char* CopyOf(const char* text, std::size_t length) {
  if (length == 0) return nullptr;
  char* copy = new (std::nothrow) char[length + 1];
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, text, length);
  copy[length] = '\0';
  return copy;
}

}  // namespace

CvxString::CvxString() : text_(nullptr), length_(0) {}

CvxString::CvxString(const char* text) : CvxString(text, text != nullptr ? std::strlen(text) : 0) {}

// Reads at most `length` bytes and never past the end of `text`.
CvxString::CvxString(const char* text, std::size_t length) : text_(nullptr), length_(0) {
  if (text == nullptr) return;
  const void* nul = std::memchr(text, '\0', length);  // stops at the first NUL
  const std::size_t kept =
      nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : length;
  text_ = CopyOf(text, kept);
  length_ = text_ != nullptr ? kept : 0;
}

CvxString::CvxString(const CvxString& other)
    : text_(CopyOf(other.Text(), other.length_)), length_(text_ != nullptr ? other.length_ : 0) {}

CvxString& CvxString::operator=(const CvxString& other) {
  if (this != &other) *this = other.Text();
  return *this;
}

CvxString& CvxString::operator=(const char* text) {
  // Copy first: `text` may lie inside this string's own text.
  const std::size_t length = text != nullptr ? std::strlen(text) : 0;
  char* copy = CopyOf(text, length);
  delete[] text_;
  text_ = copy;
  length_ = copy != nullptr ? length : 0;
  return *this;
}

CvxString::~CvxString() { delete[] text_; }

const char* CvxString::Text() const { return text_ != nullptr ? text_ : ""; }

int CvxString::GetLength() const { return static_cast<int>(length_); }

CvxString CvxString::Left(int n) const {
  if (n <= 0) return CvxString();
  const auto count = static_cast<std::size_t>(n);
  return CvxString(Text(), count < length_ ? count : length_);
}
