#include "tests/support/sample_definitions.h"

std::string Record(char character, int blue, int green, int red, const std::string& edgesTop,
                   const std::string& edgesMiddle, const std::string& edgesBottom) {
  return "#data\r\n" + std::string(1, character) + "\r\n0 " + std::to_string(blue) + " " +
         std::to_string(green) + " " + std::to_string(red) + "\r\n" + edgesTop + "\r\n" +
         edgesMiddle + "\r\n" + edgesBottom + "\r\n";
}

std::string Record(char character, int blue, int green, int red, int edge) {
  const std::string e = std::to_string(edge);
  const std::string edges = e + " " + e + " " + e;
  return Record(character, blue, green, red, edges, edges, edges);
}

std::string GreySet() {
  return "grey levels\r\n" + Record('#', 20, 20, 20) + Record('+', 90, 90, 90) +
         Record('-', 160, 160, 160) + Record('.', 230, 230, 230) + Record('|', 128, 128, 128, 80) +
         Record('B', 220, 40, 40) + Record('R', 40, 40, 220);
}

std::string SampleDefinitions() {
  return "Test glyphs: light, dark, vertical and horizontal strokes.\r\n" +
         Record('.', 235, 235, 235) + Record('#', 30, 30, 30) +
         Record('|', 128, 128, 128, "0 80 0", "0 80 0", "0 80 0") +
         Record('-', 128, 128, 128, "0 0 0", "80 80 80", "0 0 0");
}
