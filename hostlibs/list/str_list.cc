// CDLList and CStrList: the public face of StrListCore. No exception leaves
// these methods; a failure gives the documented failure result.
#include <algorithm>    // std::min
#include <climits>      // INT_MAX
#include <cstring>      // std::memcpy
#include <memory>       // std::unique_ptr
#include <string_view>  // std::string_view
#include <vector>       // std::vector

#include "diff/host/list_library.h"       // CDLList, CStrList, CListNode
#include "hostlibs/list/str_list_core.h"  // StrListCore, rovivar::TextOf
#include "hostlibs/list/text_order.h"     // rovivar::SortedTexts, rovivar::kSortedWalkAhead

using rovivar::TextOf;

namespace {

// A new core, or null when memory runs out; a list without a core acts as an
// empty list that refuses new items.
std::unique_ptr<StrListCore> NewCore() noexcept {
  try {
    // Default-initialized: the first blocks inside the core are not zeroed.
    return std::unique_ptr<StrListCore>(new StrListCore);
  } catch (...) {
    return nullptr;
  }
}

// The texts of the items of `core`, in order.
std::vector<std::string_view> TextsOf(const StrListCore& core) {
  std::vector<std::string_view> texts;
  texts.reserve(static_cast<std::size_t>(core.Length()));
  core.ForEachItem([&texts](const CListNode& node) { texts.push_back(TextOf(node.text)); });
  return texts;
}

// Makes `target` hold the same texts, data words and order as `source`.
void CopyItems(const StrListCore* source, StrListCore* target) noexcept {
  if (target == nullptr || source == target) return;
  try {
    target->Clear();
    if (source == nullptr) return;
    target->Reserve(static_cast<std::size_t>(source->Length()));
    source->ForEachItem(
        [target](const CListNode& node) { target->Append(TextOf(node.text), node.data); });
  } catch (...) {
    target->Clear();
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// CDLList
// ---------------------------------------------------------------------------

CDLList::CDLList() : core_(NewCore()) {}

CDLList::CDLList(const CDLList& other) : core_(NewCore()) {
  CopyItems(other.core_.get(), core_.get());
}

CDLList& CDLList::operator=(const CDLList& other) {
  CopyItems(other.core_.get(), core_.get());
  return *this;
}

CDLList::~CDLList() = default;

int CDLList::GetLength() const { return core_ != nullptr ? core_->Length() : 0; }

CListNode* CDLList::Find(const char* text) {
  if (text == nullptr || core_ == nullptr) return nullptr;
  try {
    return core_->Find(text);
  } catch (...) {
    return nullptr;
  }
}

int CDLList::GetIndex(const char* text, int* position) {
  int found = -1;
  if (text != nullptr && core_ != nullptr) {
    try {
      found = core_->PositionOf(text);
    } catch (...) {
      found = -1;
    }
  }
  if (position != nullptr) *position = found;
  return found >= 0 ? 1 : 0;
}

int CDLList::Remove(CListNode* node) { return core_ != nullptr && core_->Remove(node) ? 1 : 0; }

// ---------------------------------------------------------------------------
// CStrList
// ---------------------------------------------------------------------------

CStrList::CStrList() = default;

CStrList::CStrList(const CStrList& other) = default;

CStrList& CStrList::operator=(const CStrList& other) {
  CDLList::operator=(other);
  return *this;
}

CStrList::~CStrList() = default;

char* CStrList::CopyText(const char* text) {
  if (text == nullptr || core_ == nullptr) return nullptr;
  try {
    return core_->CopyText(text);
  } catch (...) {
    return nullptr;
  }
}

int CStrList::CopySorted(const CStrList* source) {
  if (source == nullptr || core_ == nullptr) return 0;
  try {
    std::vector<std::string_view> texts;
    if (source->core_ != nullptr) texts = TextsOf(*source->core_);
    rovivar::SortedTexts sorted_texts(texts);
    // The texts may be this list's own: Clear keeps them alive.
    core_->Clear();
    core_->Reserve(sorted_texts.size());
    constexpr std::size_t kAhead = rovivar::kSortedWalkAhead;
    for (std::size_t i = 0; i < sorted_texts.size(); ++i) {
      if (i + kAhead < sorted_texts.size() && sorted_texts.reads_input(i + kAhead)) {
        __builtin_prefetch(texts[sorted_texts.position(i + kAhead)].data());
      }
      core_->Append(sorted_texts.text(i), 0);
    }
    return 1;
  } catch (...) {
    return 0;
  }
}

CListNode* CStrList::GetNodeAt(int position) {
  if (core_ == nullptr) return nullptr;
  try {
    return core_->NodeAt(position);
  } catch (...) {
    return nullptr;
  }
}

int CStrList::IsMember(const char* text) {
  if (text == nullptr || core_ == nullptr) return 0;
  try {
    return core_->Contains(text) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

const char* CStrList::GetTextAt(int position, std::int64_t* data) {
  if (core_ == nullptr) return nullptr;
  try {
    const CListNode* node = core_->ItemAt(position);
    if (node == nullptr) return nullptr;
    if (data != nullptr) *data = node->data;
    return node->text;
  } catch (...) {
    return nullptr;
  }
}

int CStrList::Append(const char* text, std::int64_t data) {
  if (text == nullptr || core_ == nullptr) return 0;
  try {
    core_->Append(text, data);
    return 1;
  } catch (...) {
    return 0;
  }
}

void CStrList::Clear() {
  if (core_ != nullptr) core_->Clear();
}

int CStrList::GetTextListLen(const char* separator) {
  if (core_ == nullptr) return 0;
  const std::size_t separator_length = TextOf(separator).size();
  std::size_t total = 0;
  bool first = true;
  core_->ForEachItem([&](const CListNode& node) {
    if (!first) total += separator_length;
    first = false;
    total += TextOf(node.text).size();
  });
  return total > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(total);
}

int CStrList::GetTextList(char* buffer, int size, const char* separator) {
  if (buffer == nullptr || size < 1) return 0;
  const auto capacity = static_cast<std::size_t>(size) - 1;
  std::size_t written = 0;
  const auto put = [&](std::string_view part) {
    const std::size_t count = std::min(part.size(), capacity - written);
    if (count > 0) std::memcpy(buffer + written, part.data(), count);
    written += count;
  };
  if (core_ != nullptr) {
    const std::string_view joint = TextOf(separator);
    bool first = true;
    core_->ForEachItem([&](const CListNode& node) {
      if (!first) put(joint);
      first = false;
      put(TextOf(node.text));
    });
  }
  buffer[written] = '\0';
  return static_cast<int>(written);
}
