// Public interface of the diff module for hosts.
//
// The module is a shared library (libdiff.so) whose entry points have C
// linkage and unmangled names, so a host may bind them with dlsym as well as
// link against them. Every entry point returns an int; no exception leaves it.
//
// Every entry point records whether it failed and why; the host asks with
// diff_last_error right after the call (see "Failures" below). No entry
// point writes over, truncates or deletes a file that it or the comparison
// context reads: an output path that names such a file, under any name (a
// hard link, a symlink, "dir/../x"), is refused with DIFF_ERROR_ARGUMENT
// before anything is opened or written.
#ifndef DIFF_DIFF_H_
#define DIFF_DIFF_H_

#include <cstdint>  // std::uint32_t

#include "diff/host/list_library.h"      // list2, CStrList
#include "diff/host/object_database.h"   // CvxODB

#define DIFF_API extern "C" __attribute__((visibility("default")))

// Item status codes, stored in the data word of every item that a
// comparison marks. Readers compare the whole data word with them.
#define DIFF_STATUS_DIFFERENT 100000  // no counterpart, or values differ
#define DIFF_STATUS_SAME 100001       // counterpart found (and values equal)

// Keyed list comparison over list2 lists. Marks every item of the four input
// lists and of four new sorted lists (stored through the out-parameters and
// owned by the caller from then on) with an item status code. Returns 1 when
// the sides differ, 0 when they are the same; 1 also when the list library
// cannot make a list (DIFF_ERROR_INTERNAL; the sorted lists are then null).
DIFF_API int diff_list2(list2 a_names, list2 a_values, list2 b_names, list2 b_values,
                        list2* a_sorted_names, list2* a_sorted_values, list2* b_sorted_names,
                        list2* b_sorted_values);

// The same comparison over CStrList lists. The value lists may be empty, in
// which case only names are compared. The four sorted lists are the caller's,
// empty on entry. Returns 1 when the sides differ, else 0.
DIFF_API int diff_list2_ormo(CStrList* a_names, CStrList* a_values, CStrList* b_names,
                             CStrList* b_values, CStrList* a_sorted_names,
                             CStrList* a_sorted_values, CStrList* b_sorted_names,
                             CStrList* b_sorted_values);

// Compares the slots of one object in two databases (slot names and value
// texts), filling the four sorted lists as diff_list2_ormo does. Returns 1
// when the objects differ in a slot name or value, else 0. A missing object
// or a null database gives no slots; slots that the database library cannot
// read make the call fail: 1, with DIFF_ERROR_READ naming the file and the
// object.
DIFF_API int diff_objects_ormo(CvxODB* a_database, const char* a_object, CvxODB* b_database,
                               const char* b_object, CStrList* a_sorted_names,
                               CStrList* a_sorted_values, CStrList* b_sorted_names,
                               CStrList* b_sorted_values);

// ---------------------------------------------------------------------------
// Failures
// ---------------------------------------------------------------------------
// A comparison's result says "same" or "differ", a report's says "written" or
// not; neither can say that a call failed. Every entry point therefore
// records, for the calling thread, whether it failed and why, and the host
// asks with diff_last_error right after the call.

#define DIFF_OK 0              // the last call did its work
#define DIFF_ERROR_ARGUMENT 1  // refused: a null argument, an output naming an input, no comparison
#define DIFF_ERROR_READ 2      // an input could not be read, or is damaged
#define DIFF_ERROR_WRITE 3     // an output could not be written in full
#define DIFF_ERROR_INTERNAL 4  // memory ran out, or another unexpected failure

// The outcome of the last entry point called on this thread (diff_last_error
// itself excluded): DIFF_OK or one of the DIFF_ERROR_ codes. When `message`
// is not null it receives a one-line description naming the file (and the
// object and slot where known), "" for DIFF_OK; the text stays valid until
// the thread's next call of an entry point.
//
// What a failed call answers, by family:
//   - comparisons (diff_list2, diff_list2_ormo, diff_objects_ormo,
//     diff_objfiles_ormo): 1, "differ", since a comparison that could not
//     finish cannot show that the sides are the same; only diff_last_error
//     tells a failure from a difference;
//   - GenTextReport, GenSumReport and the HTML reports: 0;
//   - diff_object_WriteTextFile, diff_start_HTML_file, diff_end_HTML_file:
//     EOF (-1).
//   - diff_set_value_rule, diff_ignore_object, diff_ignore_slot,
//     diff_accept_difference: 0.
// Memory running out, or any other unexpected failure, gives
// DIFF_ERROR_INTERNAL ("out of memory") and the family's failure answer.
DIFF_API int diff_last_error(const char** message);

// ---------------------------------------------------------------------------
// Threads
// ---------------------------------------------------------------------------
// The module holds, for the process and not for a thread: the comparison
// context (the files of the last diff_objfiles_ormo, which the reports,
// DeleteDiffObjs and DiffTerminate use), the comparison options (the value
// rule, the ignore rules and the accepted differences), the template
// sections that diff_getObjectTemplate loads, and the event observer. A host
// therefore calls the entry points from one thread at a time: calls made
// from several threads must not overlap. Each thread has an outcome of its
// own for diff_last_error.
//
// The one exception: the keyed list comparisons diff_list2 and
// diff_list2_ormo read nothing that the module holds but the value rule, so
// several threads may run them at once, each on lists of its own, while no
// other entry point runs (in particular, while no option is set); each
// thread may ask diff_last_error for its own outcome meanwhile.
//
// Every call has finished its work when it returns: GenTextReport writes
// part of its report on a thread of its own, which ends before it returns,
// and the event observer is called on the calling thread.

// ---------------------------------------------------------------------------
// Comparison options
// ---------------------------------------------------------------------------
// Options steer every comparison that follows: diff_list2, diff_list2_ormo,
// diff_objects_ormo and diff_objfiles_ormo, and so the status codes those
// comparisons give the HTML reports. Like the comparison context they are
// held for the process, not for a thread: set them between comparisons,
// never while one runs on another thread. Each option has its own setter,
// which checks its arguments and refuses (DIFF_ERROR_ARGUMENT) a value it
// cannot take, changing nothing; diff_reset_options puts every default back.
// The defaults give the behaviour of a module without options.
//
// The value rule decides when the values of a slot that both sides hold are
// equal. Under every rule, texts equal byte for byte are equal values.
// Otherwise, with the tolerance t (a percentage):
//   - DIFF_VALUE_RULE_TOLERANT (the default): the leading numbers x and y of
//     the texts decide, read as atof reads them in the "C" locale (leading
//     blanks skipped; hexadecimal, "inf" and "nan" read; units or any other
//     text behind the number play no part; a text that does not begin with a
//     number reads as 0). When both are zero, the texts are equal when they
//     are equal ignoring the case of ASCII letters. Else they are equal when
//     |x - y| <= t/100 * max(|x|, |y|); a NaN or an infinity is equal to
//     nothing but an identical text. "100-P-001" thus equals "101-P-001".
//   - DIFF_VALUE_RULE_NUMERIC: the tolerance applies only when both texts
//     are numbers as a whole with equal units, as the object-database library
//     writes a number: an optional sign ('+' or '-'); then decimal digits with
//     an optional '.' and fraction (at least one digit) and an optional
//     exponent ('e' or 'E', an optional sign, at least one digit), or "inf",
//     "infinity" or "nan" in any ASCII case; nothing before the number, not
//     even a blank; then either the end of the text, or exactly one blank
//     and units: at least one byte, the first not a blank, compared byte for
//     byte. Such texts are equal when they read as the same number ("12.5"
//     and "12.50"), when both are NaN, or when |x - y| <= t/100 * max(|x|,
//     |y|); an infinity equals only the same infinity. Every other pair of
//     texts differs ("Running" and "RUNNING", "100 kg" and "100 KG",
//     "1.2.3" and "1.2.9", "0x10" and "16", "12.5 " and "12.5").
//   - DIFF_VALUE_RULE_EXACT: every pair of texts that are not equal byte for
//     byte differs; the tolerance plays no part.
// Object and slot names are always matched byte for byte, whatever the rule.
#define DIFF_VALUE_RULE_TOLERANT 0
#define DIFF_VALUE_RULE_NUMERIC 1
#define DIFF_VALUE_RULE_EXACT 2
#define DIFF_DEFAULT_TOLERANCE_PERCENT 2.0

// Puts the value rule `rule` (a DIFF_VALUE_RULE_ code) in force with the
// relative tolerance `tolerance_percent`, a percentage of the larger
// magnitude: 0 (the numbers must be equal) or more, below 100. With
// DIFF_VALUE_RULE_EXACT the tolerance is checked and kept, but has no
// effect. Returns 1; 0 when refused (DIFF_ERROR_ARGUMENT, the rule in force
// unchanged): an unknown rule, or a tolerance that is negative, 100 or more,
// or not a number.
DIFF_API int diff_set_value_rule(int rule, double tolerance_percent);

// The value rule in force (a DIFF_VALUE_RULE_ code); its tolerance, as set,
// through `tolerance_percent` when that is not null.
DIFF_API int diff_get_value_rule(double* tolerance_percent);

// Puts every option back to its default: DIFF_VALUE_RULE_TOLERANT with
// DIFF_DEFAULT_TOLERANCE_PERCENT, no slot rule, no ignore rule, no accepted
// difference.
// The event observer is not an option and stays. Returns 1.
DIFF_API int diff_reset_options(void);

// ---------------------------------------------------------------------------
// Slot rules
// ---------------------------------------------------------------------------
// A slot rule decides, for the slots whose object and slot names match its
// globs (as the ignore rules' patterns), when their values are equal, in
// place of the value rule. The first rule added that matches a slot wins;
// slots no rule matches keep the value rule. Slot rules apply wherever slots
// of a named object are compared (diff_objects_ormo, diff_object_list2,
// diff_objfiles_ormo), not to diff_list2 and diff_list2_ormo. Lookups go by
// the first byte of a pattern, as the ignore rules' do, and only slots whose
// texts differ are looked up.
//
// A rule is one of the value rules or DIFF_VALUE_RULE_UNITS, with
//   - a relative tolerance (a percentage of the larger magnitude, as the
//     value rules take it) and an absolute one (in the slot's units; under
//     DIFF_VALUE_RULE_UNITS in A's): numbers x and y are equal when they are
//     equal, both NaN, or within either tolerance: |x - y| <= absolute or
//     |x - y| <= relative/100 * max(|x|, |y|);
//   - DIFF_CASE_IGNORE: texts equal but for the case of ASCII letters are
//     equal;
//   - DIFF_LISTS_UNORDERED or DIFF_LISTS_SET for list values (texts holding
//     "\n", one item per line): the items are compared as multisets (the
//     same items as often) or as sets (repeats dropped); items equal as
//     texts pair first, the rest pair in sorted order (numbers by value) and
//     are judged one pair at a time. DIFF_LISTS_ORDERED pairs the items in
//     order.
// DIFF_VALUE_RULE_TOLERANT, _NUMERIC and _EXACT judge each item as the value
// rules do (with both tolerances). DIFF_VALUE_RULE_UNITS reads numbers as
// the numeric rule does; with different units, both known to UDUNITS-2 and
// convertible ("120 m3/h" and "33.33 l/s", "20 degC" and "68 degF"), B's
// number is converted to A's units first; units that do not convert ("m3/h"
// and "kW") differ, and so do units it does not know, as under the numeric
// rule. See docs/value-rules.md for the spellings it maps ("barg").
#define DIFF_VALUE_RULE_UNITS 3
#define DIFF_CASE_EXACT 0
#define DIFF_CASE_IGNORE 1
#define DIFF_LISTS_ORDERED 0
#define DIFF_LISTS_UNORDERED 1
#define DIFF_LISTS_SET 2

// Adds a slot rule for the slots matching `slot_pattern` of the objects
// matching `object_pattern` (every object when null), after the rules in
// force. Returns 1; 0 when refused (DIFF_ERROR_ARGUMENT, nothing added): a
// null slot pattern, an unknown rule, case or list code, a relative
// tolerance outside [0, 100) percent, an absolute tolerance that is negative
// or not finite, or DIFF_VALUE_RULE_UNITS in a module built without
// UDUNITS-2 or whose units database cannot be read (the message says which).
DIFF_API int diff_add_slot_rule(const char* object_pattern, const char* slot_pattern, int rule,
                                double relative_percent, double absolute, int text_case,
                                int lists);

// Judges the values `a_value` and `b_value` of the slot `slot` of the object
// `object` as a comparison would (ignore rules and accepted differences
// aside): 1 when they differ, 0 when equal. `explanation`, when not null,
// receives the rule that judged them and what it compared, as
// "slot rule 1 pump-*:flow (units, relative 0.5 %): 120 m3/h = 33.3333 l/s
// (120 m3/h) within 0.5 %" or "value rule (numeric, tolerance 2 %): texts
// differ"; the text stays valid until the next call on this thread. Null
// texts count as "", a null object or slot as a name no slot rule matches.
DIFF_API int diff_explain_values(const char* object, const char* slot, const char* a_value,
                                 const char* b_value, const char** explanation);

// ---------------------------------------------------------------------------
// Ignore rules
// ---------------------------------------------------------------------------
// An ignored object or slot takes part in no comparison result and appears
// in no report, as if neither file held it: diff_objects_ormo,
// diff_object_list2 and diff_objfiles_ormo leave it out (no progress line,
// no record), GenTextReport, GenSumReport and the HTML reports show it
// nowhere. diff_list2 and diff_list2_ormo compare lists without an object
// name and apply no ignore rule.
//
// Patterns are globs as fnmatch reads them without flags ('*', '?', '[...]',
// '\' quoting the next byte), matched against the whole name, byte for
// byte. Rules add up until diff_reset_options.

// Ignores every object whose name matches `object_pattern`. Returns 1; 0
// when refused (DIFF_ERROR_ARGUMENT: a null pattern).
DIFF_API int diff_ignore_object(const char* object_pattern);

// Ignores the slots whose names match `slot_pattern`, in every object when
// `object_pattern` is null, else in the objects whose names match it.
// Returns 1; 0 when refused (DIFF_ERROR_ARGUMENT: a null slot pattern).
DIFF_API int diff_ignore_slot(const char* object_pattern, const char* slot_pattern);

// 1 when an ignore rule covers the object (`slot` null) or the slot `slot`
// of the object, else 0 (also for a null object).
DIFF_API int diff_is_ignored(const char* object, const char* slot);

// ---------------------------------------------------------------------------
// Accepted differences and difference kinds
// ---------------------------------------------------------------------------
// An accepted difference is one that a person has reviewed: it is left out
// of every comparison result and report as if it were not there. An accepted
// object or slot on one side only counts as absent; an accepted value change
// counts as equal values (the text report's "Values equal"/"Values differ"
// column still compares the texts). Only that exact difference is accepted:
// the same slot with another value, or the same object now in both files, is
// reported again. Lookups are hashed; accepting many differences does not
// slow a comparison down beyond the lookups of the differences it finds.
#define DIFF_OBJECT_ONLY_IN_A 1    // object
#define DIFF_OBJECT_ONLY_IN_B 2    // object
#define DIFF_SLOT_ONLY_IN_A 3      // object, slot; A's value in events
#define DIFF_SLOT_ONLY_IN_B 4      // object, slot; B's value in events
#define DIFF_SLOT_VALUES_DIFFER 5  // object, slot, A's value, B's value
#define DIFF_OBJECT_DIFFERS 6      // events only: an object of both files, before its slots
#define DIFF_OBJECT_SAME 7         // events only: an object of both files with no difference

// Accepts one difference of kind `kind` (DIFF_OBJECT_ONLY_IN_A to
// DIFF_SLOT_VALUES_DIFFER). `slot` is read for the slot kinds, `a_value` and
// `b_value` (value texts, as LoadAllSlots gives them) for
// DIFF_SLOT_VALUES_DIFFER only. Returns 1; 0 when refused
// (DIFF_ERROR_ARGUMENT: an unknown kind, or a null text that the kind
// needs). Accepting the same difference twice changes nothing.
DIFF_API int diff_accept_difference(int kind, const char* object, const char* slot,
                                    const char* a_value, const char* b_value);

// Forgets every accepted difference, keeping the other options. Returns 1.
DIFF_API int diff_clear_accepted(void);

// 1 when the difference is accepted, else 0; the arguments as for
// diff_accept_difference (0 for an unknown kind or a null text).
DIFF_API int diff_is_accepted(int kind, const char* object, const char* slot,
                              const char* a_value, const char* b_value);

// ---------------------------------------------------------------------------
// Events of a file comparison
// ---------------------------------------------------------------------------
// A host that wants the differences of diff_objfiles_ormo as they are found
// (to stream them, to count them) sets an observer. It is called on the
// comparing thread, in the order the comparison finds things (object names
// in sorted order), with exactly what the difference databases receive:
//   DIFF_OBJECT_ONLY_IN_A / _B: object (not ignored, not accepted);
//   DIFF_OBJECT_SAME: an object of both files without a difference left;
//   DIFF_OBJECT_DIFFERS: an object of both files with a difference left,
//     followed by one event per difference of its slots, in sorted order:
//   DIFF_SLOT_ONLY_IN_A (a_value set), DIFF_SLOT_ONLY_IN_B (b_value set),
//   DIFF_SLOT_VALUES_DIFFER (both values set).
// Texts not set are null; every text is valid during the call only. The
// observer returns 0 to go on; any other answer stops the comparison, which
// then fails (1, DIFF_ERROR_ARGUMENT "the host stopped the comparison") as
// any failed comparison does.
struct diff_event {
  int kind;  // DIFF_OBJECT_ONLY_IN_A ... DIFF_OBJECT_SAME
  const char* object;
  const char* slot;
  const char* a_value;
  const char* b_value;
};
typedef int (*diff_event_observer)(void* user_data, const struct diff_event* event);

// Puts `observer` in force for the comparisons that follow (null removes
// it); `user_data` is passed to every call. Process-wide, like the options.
// Returns 1.
DIFF_API int diff_set_event_observer(diff_event_observer observer, void* user_data);

// ---------------------------------------------------------------------------
// Keyed list comparison of one object's slots
// ---------------------------------------------------------------------------

// diff_list2 for the slots of the object `object`: the lists hold its slot
// names and value texts on sides A and B. Ignored slots are left out of the
// four sorted lists, accepted one-sided slots too, and an accepted value
// change is marked as equal values. Returns 1 when a difference is left, else
// 0; 1 with DIFF_ERROR_ARGUMENT for a null object, as diff_list2 otherwise.
DIFF_API int diff_object_list2(const char* object, list2 a_names, list2 a_values, list2 b_names,
                               list2 b_values, list2* a_sorted_names, list2* a_sorted_values,
                               list2* b_sorted_names, list2* b_sorted_values);

// ---------------------------------------------------------------------------
// Object-file comparison and its context
// ---------------------------------------------------------------------------

// Compares object files A and B and records every difference in the A, B and
// combined difference databases (existing ones are emptied first). Prints
// progress lines on standard output. Returns 1 when the files differ, else 0.
//
// Refused (1, DIFF_ERROR_ARGUMENT), before anything is opened, created or
// printed and leaving the context of an earlier comparison as it was: a null
// or empty name, or a difference database that names object file A or B or
// another difference database (the same file by device and inode, symlinks
// followed; for names that do not exist yet, the same name in the same
// folder). Fails (1) at the first failure, printing nothing more:
// DIFF_ERROR_READ when object file A or B cannot be opened (missing, not an
// object file, damaged) or read (its objects, or the slots of an object it
// lists); DIFF_ERROR_WRITE when a difference database cannot be made or
// emptied, refuses a record, or cannot be saved at the end (a full disk). A
// comparison that failed removes the difference databases it had emptied,
// so that none reads as "no differences", and the reports refuse to run
// until a comparison finishes.
DIFF_API int diff_objfiles_ormo(const char* object_file_a, const char* object_file_b,
                                const char* a_difference_db, const char* b_difference_db,
                                const char* combined_difference_db, std::uint32_t user_instance);

// Closes the comparison context and deletes the three difference databases;
// never an object file (diff_objfiles_ormo refuses a difference database
// that names one). Returns the object-database library's result of deleting
// the combined one. A difference database that exists but cannot be deleted
// is recorded as DIFF_ERROR_WRITE. Until the next comparison, the reports
// refuse to run (there is nothing left to report).
DIFF_API int DeleteDiffObjs(void);

// Releases the comparison context. Always returns 1.
DIFF_API int DiffTerminate(void);

// Does nothing. Always returns 0.
DIFF_API int diff_strpair(void);

// ---------------------------------------------------------------------------
// Text reports
// ---------------------------------------------------------------------------

// The three text outputs are written whole or not at all. When the target is
// a regular file or does not exist, the text goes into a new file in the
// target's folder (nameless while written where the file system allows it,
// else hidden as ".<name>.diff-XXXXXX"), which is synced and renamed over
// the target only when complete; the target keeps its permission bits, and
// a symlink stays a symlink to the file it names. A call that fails, or a
// process that is killed, leaves the target as it was. A target that is not
// a regular file (/dev/stdout, a pipe, a device) is written directly. A
// write, flush, sync, close or rename that fails fails the call with
// DIFF_ERROR_WRITE naming the file.

// Detailed text report of the last object-file comparison. Returns 1 when
// written; 0 when it failed: DIFF_ERROR_ARGUMENT for a null path, without a
// finished comparison (none yet, one that failed, or after DeleteDiffObjs or
// DiffTerminate), or for a path that names a file of the comparison context
// (object files A and B, the three difference databases); DIFF_ERROR_READ
// when a database of the context cannot be opened or read; DIFF_ERROR_WRITE
// when the file cannot be created or written in full.
DIFF_API int GenTextReport(const char* report_path);

// Summary report of the last object-file comparison. Returns 1 when written;
// 0 when it failed, as for GenTextReport.
DIFF_API int GenSumReport(const char* report_path);

// Two-sided text table of one keyed list comparison (lists as diff_list2
// leaves them). Returns 0 when written; EOF (-1) when it failed:
// DIFF_ERROR_ARGUMENT for a null path or one that names a file of the
// comparison context, DIFF_ERROR_WRITE when the file cannot be created or
// written in full.
DIFF_API int diff_object_WriteTextFile(list2 a_slots, list2 a_values, list2 b_slots,
                                       list2 b_values, const char* report_path);

// ---------------------------------------------------------------------------
// HTML reports
// ---------------------------------------------------------------------------
// A report is assembled from the sections of an HTML report template. Every
// text put into a placeholder is HTML-escaped; the template's own text is
// written as it stands. A report with `nested` 0 loads the template, starts
// the report file and finishes it itself; with `nested` 1 it appends to
// what the caller prepared. `show_all` also shows slots whose values are
// equal.
//
// A report file is written in phases (start, blocks, end), each appending to
// it, so it is not written whole or not at all; a host that wants that
// writes it under a temporary name and renames it. Every failure is
// recorded: DIFF_ERROR_WRITE naming the report file when it cannot be
// opened, written or closed; DIFF_ERROR_READ naming the template or a file
// that cannot be opened. Refused (DIFF_ERROR_ARGUMENT, nothing touched): a
// report path that names the template given or loaded last, a file or status
// file the report reads, or a file of the comparison context; a null report
// path.

// Loads the template and splits it into its sections, held for the process.
// Returns 1 when read to its end; 0 when it cannot be read (no section
// changes; DIFF_ERROR_READ naming it).
DIFF_API int diff_getObjectTemplate(const char* template_path);

// Creates or empties the report file and writes the initial section. Returns
// 0 when done, EOF (-1) when the file cannot be opened or written.
DIFF_API int diff_start_HTML_file(const char* report_path);

// Appends the final section to the report file. Returns 0 when done, EOF
// (-1) when the file cannot be opened or written.
DIFF_API int diff_end_HTML_file(const char* report_path);

// The block of one object, from four lists marked as diff_list2 leaves them.
// Returns 1 when written; 0 when the template or the report file fails.
DIFF_API int diff_ReportObjectHTML(const char* object_name, const char* a_title,
                                   const char* b_title, list2 a_slots, list2 a_values,
                                   list2 b_slots, list2 b_values, const char* report_path,
                                   const char* template_path, int show_all, int nested);

// The block of one file: the objects of the status file with the values of
// files A and B, read through the loader library. Returns 1 when written; 0
// when one of the three files cannot be opened (nothing written), or the
// template or the report file fails.
DIFF_API int diff_ReportFileHTML(const char* a_file, const char* b_file, const char* status_file,
                                 const char* a_file_label, const char* b_file_label,
                                 const char* a_title, const char* b_title,
                                 const char* report_path, const char* template_path,
                                 int show_all, int nested);

// The report of a project of numbered files (names prefix + "PROJ" + the
// number, at least four digits, none for 0); a file that cannot be opened
// is skipped. Returns 1 when written; 0 when the template or the report file
// fails.
DIFF_API int diff_ReportProjectHTML(list2 file_labels, list2 a_numbers, list2 b_numbers,
                                    list2 status_names, const char* a_prefix,
                                    const char* b_prefix, const char* a_project,
                                    const char* b_project, const char* a_title,
                                    const char* b_title, const char* status_prefix,
                                    const char* report_path, const char* template_path,
                                    int show_all, int nested);

#endif  // DIFF_DIFF_H_
