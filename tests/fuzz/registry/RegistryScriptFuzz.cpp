// Reads arbitrary bytes as a registry-deletion script: as the line file it is ("[delreg]" and its
// operation lines), and as ANSI text as well, so that mutations of plain text reach the line rules
// too. Every line is split into its operations, and every subkey into its PCI device pattern.
// Besides the sanitizers' findings: each operation begins with "HK" and its fields hold no
// separator, a line with a rest is its fields put back together, the operations chain through
// their rests, and a device pattern is a piece of its subkey.
#include "FuzzSupport.h"
#include "install/core/ScriptLineRules.h"

#include <cstdint>
#include <string>

using namespace installcore;
using fuzz::Contains;
using fuzz::Require;

namespace {

using Lines = std::vector<std::u16string>;
using Operation = RegistryScriptLine<std::u16string>;

bool BeginsWithHk(const std::u16string& text) {
    return text.size() >= 2 && text[0] == u'H' && text[1] == u'K';
}

void CheckPciPattern(const std::u16string& subkey) {
    const std::u16string pattern = PciDevicePattern(subkey, fuzz::Lower);
    if (fuzz::Lower(subkey).rfind(u"enum\\pci", 0) != 0)
        Require(pattern.empty());
    Require(Contains(subkey, pattern) && !Contains(pattern, u"&SUBSYS"));
    if (!pattern.empty())
        Require(subkey.size() >= pattern.size() + 9);
}

void CheckOperation(const std::u16string& text, const Operation& operation) {
    Require(BeginsWithHk(operation.rootName) && !Contains(operation.rootName, u"\\"));
    for (const std::u16string* field :
         {&operation.subkey, &operation.kind, &operation.valueName, &operation.valueType})
        Require(!Contains(*field, u"|"));
    if (!operation.rest.empty())
        Require(operation.rootName + u"\\" + operation.subkey + u"|" + operation.kind + u"|" +
                    operation.valueName + u"|" + operation.valueType + u"|" + operation.rest ==
                text);
    Require(operation.DeletesValue() == (operation.kind == u"Value"));
    Require(operation.RegistryValueName() ==
            (operation.valueName == u"@" ? std::u16string() : operation.valueName));
    CheckPciPattern(operation.subkey);
}

void CheckLine(const std::u16string& line) {
    const std::vector<Operation> operations = ParseRegistryScriptLines(line);
    Require(operations.empty() == !BeginsWithHk(line));
    Require(operations.size() <= line.size() / 2);
    std::u16string text = line;
    for (const Operation& operation : operations) {
        Require(BeginsWithHk(text));
        CheckOperation(text, operation);
        Require(operation.rest.size() < text.size());
        text = operation.rest;
    }
    Require(!BeginsWithHk(text));
    CheckPciPattern(line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const std::u16string& line : ScriptOperationLines(
             textcore::ReadUnicodeLines(bytes), std::u16string(u"[delreg]"), fuzz::Lower))
        CheckLine(line);
    for (const std::u16string& line : fuzz::TextFileLines(bytes))
        CheckLine(line);
    return 0;
}
