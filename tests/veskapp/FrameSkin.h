// A small skin for the main dialog, written into the test program folder:
// a 400 x 300 main page with the page tabs, OK, Cancel, Apply, the version
// texts, model icons and battery segments; one button on each page, the
// strip's profile drop-down, and one picture in each model variant.
#pragma once
#include <string>

// Writes every file; `skip` names one page file to leave out (a missing page).
void WriteFrameSkin(const wchar_t* skip = nullptr);
// Writes one file under xml\ of the test folder.
void WriteSkinXml(const wchar_t* file, const std::string& body);
