// The template's format: which section each line of the template belongs to.
#ifndef DIFF_REPORT_HTML_TEMPLATE_SPLITTER_H_
#define DIFF_REPORT_HTML_TEMPLATE_SPLITTER_H_

#include <string_view>  // std::string_view

#include "diff/report_html/template_sections.h"  // Section, SectionTexts

namespace diff::report_html {

struct SectionMarkers;  // a section and the markers around it

// Splits a template, given one line at a time in file order, into its
// sections. A line is one read of the template (at most 511 characters);
// markers are found only within one line.
//
// The lines through the first that holds "_INITIAL_" make the initial
// section. After it, a line outside any section opens the first section
// (in Section order) whose opening marker it holds, and that section runs
// through the first line holding its closing marker, the opening line
// included; a line holding "_FINAL_" opens the final section, which runs to
// the end. Inside a section no other marker counts. A line outside every
// section that opens none is dropped. A section that occurs again is
// appended to its earlier text. Lines are kept whole, marker lines included.
class TemplateSplitter {
 public:
  TemplateSplitter();

  void add_line(std::string_view line);

  // The sections split so far.
  SectionTexts& sections() { return texts_; }

 private:
  // The section being filled; the initial one at the start, null outside
  // every section.
  const SectionMarkers* open_;
  SectionTexts texts_;
};

}  // namespace diff::report_html

#endif  // DIFF_REPORT_HTML_TEMPLATE_SPLITTER_H_
