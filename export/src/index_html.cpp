#include "KyExportText.h"
#include "KyFormatWriters.h"

namespace kyexport {

std::string IndexHtml(const std::vector<DrawnStyle>& styles) {
  std::string html =
      "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>Fill styles</title>\n<style>\n"
      "body { font: 13px sans-serif; margin: 16px; }\n"
      ".style { display: inline-block; width: 50mm; margin: 0 12px 16px 0; vertical-align: top; }\n"
      ".fill { height: 25mm; border: 1px solid #888; background-repeat: repeat; }\n"
      ".name { margin-top: 3px; }\n"
      ".group { color: #666; }\n"
      "</style>\n</head>\n<body>\n<h1>Fill styles</h1>\n"
      "<p>Every style repeated at its physical size (CSS millimetres).</p>\n";
  for (const DrawnStyle& s : styles) {
    html += "<div class=\"style\"><div class=\"fill\" style=\"background-image: url('" + XmlEscape(s.file) +
            "'); background-size: " + Number(s.tile.widthMm) + "mm " + Number(s.tile.heightMm) +
            "mm\"></div><div class=\"name\">" + std::to_string(s.entry.id) + " " + XmlEscape(s.entry.name) +
            "</div><div class=\"group\">" + XmlEscape(s.entry.group) + "</div></div>\n";
  }
  return html + "</body>\n</html>\n";
}

}  // namespace kyexport
