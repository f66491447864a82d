#include "diff/report_html/template_splitter.h"

#include <cstddef>  // std::size_t

namespace diff::report_html {

struct SectionMarkers {
  Section section;
  std::string_view opening;
  std::string_view closing;  // empty when the section runs to the end
};

namespace {

constexpr SectionMarkers kInitialMarkers{Section::kInitial, "", "_INITIAL_"};

// The sections a line outside every section can open, in the order in which
// its markers are tested.
constexpr SectionMarkers kOpenableSections[] = {
    {Section::kProjectStart, "_PROJ_START_START", "_PROJ_START_END"},
    {Section::kProjectEnd, "_PROJ_END_START", "_PROJ_END_END"},
    {Section::kFileStart, "_FILE_START_START", "_FILE_START_END"},
    {Section::kFileEnd, "_FILE_END_START", "_FILE_END_END"},
    {Section::kObjectStart, "_OBJ_START_START", "_OBJ_START_END"},
    {Section::kObjectEnd, "_OBJ_END_START", "_OBJ_END_END"},
    {Section::kObjectRow, "_OBJ_ROW_START", "_OBJ_ROW_END"},
    {Section::kFinal, "_FINAL_", ""},
};

bool holds(std::string_view line, std::string_view marker) {
  return line.find(marker) != std::string_view::npos;
}

// The first section whose opening marker `line` holds, or null.
const SectionMarkers* section_opened_by(std::string_view line) {
  for (const SectionMarkers& markers : kOpenableSections) {
    if (holds(line, markers.opening)) return &markers;
  }
  return nullptr;
}

}  // namespace

TemplateSplitter::TemplateSplitter() : open_(&kInitialMarkers) {}

void TemplateSplitter::add_line(std::string_view line) {
  if (open_ == nullptr) {
    open_ = section_opened_by(line);
    if (open_ == nullptr) return;  // between sections: part of no report
  }
  texts_[static_cast<std::size_t>(open_->section)].append(line);
  // The opening line may close its section too.
  if (!open_->closing.empty() && holds(line, open_->closing)) open_ = nullptr;
}

}  // namespace diff::report_html
