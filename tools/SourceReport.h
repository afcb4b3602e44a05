#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The problems that the source checker finds, each with the file it lies in (relative to the
// recovery source's root, or as given for Install.ini), its line where it has one, the id of the
// check that found it and a message, all UTF-8.
struct SourceProblem {
    std::string file;
    int line = 0; // 0: the problem has no line
    std::string check;
    std::string message;
};

class CSourceReport {
public:
    void Add(std::string file, int line, std::string check, std::string message);
    const std::vector<SourceProblem>& Problems() const { return m_problems; }

    // One line per problem: "FILE:LINE: CHECK: MESSAGE" (no ":LINE" without a line).
    void PrintText(std::ostream& out) const;
    // One JSON object per line: {"file": ..., "line": N or null, "check": ..., "message": ...}.
    void PrintJson(std::ostream& out) const;

private:
    std::vector<SourceProblem> m_problems;
};

// A JSON string literal of UTF-8 text: quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& text);
