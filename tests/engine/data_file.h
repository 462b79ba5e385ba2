// The engine's tables of worked cases (tests/data/engine/*.txt): one record a
// line, words separated by blanks, "quoted" words with \t \r \n \\ \" inside,
// # to the end of the line a comment.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/notice.h"

namespace enginetest {

struct Line {
    int number = 0;
    std::vector<std::string> words;
};

inline std::vector<Line> ReadTable(const std::string& name) {
    std::ifstream in(std::string(INVOLVO_ENGINE_DATA) + "/" + name);
    std::vector<Line> lines;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        Line line{number, {}};
        for (size_t i = 0; i < text.size() && text[i] != '#';) {
            if (text[i] == ' ' || text[i] == '\t') { ++i; continue; }
            std::string word;
            bool quoted = false;
            for (; i < text.size() && (quoted || (text[i] != ' ' && text[i] != '\t')); ++i) {
                if (text[i] == '"') { quoted = !quoted; continue; }
                if (quoted && text[i] == '\\' && i + 1 < text.size()) {
                    const char c = text[++i];
                    word.push_back(c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c);
                } else {
                    word.push_back(text[i]);
                }
            }
            line.words.push_back(word);
        }
        if (!line.words.empty()) lines.push_back(line);
    }
    return lines;
}

inline const char* FieldName(gearmain::Field field) {
    static const char* const kNames[] = {"None", "Teeth", "Pitch", "PressureAngle", "Helix", "Feature",
                                         "FeatureValue", "ODChange", "Pin", "FaceWidth", "Quality"};
    return kNames[static_cast<int>(field)];
}

}  // namespace enginetest
