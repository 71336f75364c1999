#ifndef GLYPHRANE_TESTS_SUPPORT_SAMPLE_DEFINITIONS_H_
#define GLYPHRANE_TESTS_SUPPORT_SAMPLE_DEFINITIONS_H_

#include <string>

// One definition record: the character, its colour and its three rows of edge
// strengths, each row three numbers ("0 80 0").
std::string Record(char character, int blue, int green, int red, const std::string& edgesTop,
                   const std::string& edgesMiddle, const std::string& edgesBottom);
// One definition record whose edges are all edge.
std::string Record(char character, int blue, int green, int red, int edge = 0);

// A small glyph set over grey levels, one edge-heavy glyph and two colours.
std::string GreySet();
// Four glyphs whose colours and edges differ, so that a picture with light, dark
// and edged areas gives several different characters.
std::string SampleDefinitions();

#endif  // GLYPHRANE_TESTS_SUPPORT_SAMPLE_DEFINITIONS_H_
