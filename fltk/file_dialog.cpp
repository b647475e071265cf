#include "fltk/file_dialog.h"

#include <FL/Fl_Native_File_Chooser.H>

#include <algorithm>

#include "base/translation.h"

namespace ovek {

namespace {

// Tabs and line breaks separate FLTK's filter fields.
std::string withoutSeparators(std::string s)
{
    for (char& c : s)
        if (c == '\t' || c == '\n')
            c = ' ';
    return s;
}

// Windows labels name their pattern, "BMP Files(*.bmp)"; FLTK's choosers add
// it themselves.
std::string withoutPattern(std::string label, const std::string& pattern)
{
    const std::string named = "(" + pattern + ")";
    const size_t at = label.size() - std::min(label.size(), named.size());
    if (at > 0 && label.compare(at, std::string::npos, named) == 0) {
        label.erase(at);
        label.erase(label.find_last_not_of(' ') + 1);
    }
    return label;
}

std::string fltkPattern(const std::string& windowsPattern)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= windowsPattern.size()) {
        size_t end = windowsPattern.find(';', start);
        if (end == std::string::npos)
            end = windowsPattern.size();
        std::string part = windowsPattern.substr(start, end - start);
        const size_t first = part.find_first_not_of(' ');
        const size_t last = part.find_last_not_of(' ');
        part = first == std::string::npos ? "" : part.substr(first, last - first + 1);
        if (part == "*.*")
            part = "*";
        if (!part.empty())
            parts.push_back(withoutSeparators(part));
        start = end + 1;
    }
    if (parts.empty())
        return "*";
    if (parts.size() == 1)
        return parts[0];
    std::string joined = "{";
    for (size_t i = 0; i < parts.size(); ++i)
        joined += (i ? "," : "") + parts[i];
    return joined + "}";
}

}  // namespace

std::string fltkFilter(const std::vector<FileFilter>& filters)
{
    std::string out;
    for (const FileFilter& f : filters) {
        if (!out.empty())
            out += '\n';
        const std::string label = withoutPattern(f.label, f.pattern);
        out += withoutSeparators(label) + '\t' + fltkPattern(f.pattern);
    }
    return out;
}

bool runFileDialog(FileDialogKind kind, const std::vector<FileFilter>& filters, std::string& path)
{
    // The chooser is the desktop's own where FLTK finds one and FLTK's
    // otherwise.
    Fl_Native_File_Chooser chooser(kind == FileDialogKind::Open
                                       ? Fl_Native_File_Chooser::BROWSE_FILE
                                       : Fl_Native_File_Chooser::BROWSE_SAVE_FILE);
    chooser.title(tr(kind == FileDialogKind::Open ? N_("Open") : N_("Save")));
    const std::string filter = fltkFilter(filters);
    if (!filter.empty()) {
        chooser.filter(filter.c_str());
        chooser.filter_value(0);
    }
    // 0: chosen, 1: cancelled, -1: no dialog.
    if (chooser.show() != 0 || !chooser.filename() || !*chooser.filename())
        return false;
    path = chooser.filename();
    return true;
}

}  // namespace ovek
