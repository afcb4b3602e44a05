#include "tools/SourceReport.h"

#include <cstdio>
#include <ostream>

void CSourceReport::Add(std::string file, int line, std::string check, std::string message) {
    m_problems.push_back({std::move(file), line, std::move(check), std::move(message)});
}

void CSourceReport::PrintText(std::ostream& out) const {
    for (const SourceProblem& problem : m_problems) {
        out << problem.file;
        if (problem.line > 0)
            out << ':' << problem.line;
        out << ": " << problem.check << ": " << problem.message << '\n';
    }
}

void CSourceReport::PrintJson(std::ostream& out) const {
    for (const SourceProblem& problem : m_problems) {
        out << "{\"file\":" << JsonString(problem.file)
            << ",\"line\":" << (problem.line > 0 ? std::to_string(problem.line) : "null")
            << ",\"check\":" << JsonString(problem.check)
            << ",\"message\":" << JsonString(problem.message) << "}\n";
    }
}

std::string JsonString(const std::string& text) {
    std::string json = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                json += escaped;
            } else {
                json += c;
            }
        }
    }
    return json + "\"";
}
