// What a part holds beyond the entries of the input screen: its part number
// and the readings last taken on it. The input screen keeps them for as long
// as the program runs (Save Part writes them, Open Part reads them); the
// Check a Part window shows and edits them.
#pragma once

#include <string>
#include <vector>

#include "platform/view.h"

namespace involvo {

struct PartNotes {
    std::string partNumber;
    std::vector<std::string> readings;  // as typed, in the order taken
};

// The presenter that keeps the notes (the input screen's).
class PartNotesHolder {
public:
    virtual PartNotes& Notes() = 0;

protected:
    ~PartNotesHolder() = default;
};

// The notes of the program's input screen; nullptr when it keeps none.
inline PartNotes* NotesOf(Forms& forms) {
    auto* holder = dynamic_cast<PartNotesHolder*>(&forms.PresenterOf(FormId::FrmMain));
    return holder ? &holder->Notes() : nullptr;
}

// A file name made of a part number: the characters that a file name cannot
// hold (a folder's slash among them) become dashes. "" for no part number.
inline std::string FileNameOf(const std::string& partNumber) {
    std::string name = partNumber;
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|' ||
            static_cast<unsigned char>(c) < 32)
            c = '-';
    return name;
}

}  // namespace involvo
