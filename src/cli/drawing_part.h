// The drawing part of kxtool: the commands that draw (report) are a program of their own,
// kxtool-draw, so that every other command starts without loading Qt, fonts or GL. kxtool
// hands such a command line over to it unchanged; for the user it is still one kxtool.
#pragma once

#include <ostream>
#include <string>

namespace kx::cli {

// Where the drawing part is: beside kxtool (the build tree), else where the install puts it
// relative to kxtool's folder. Empty when neither holds it.
std::string FindDrawingPart(const std::string& kxtoolPath);

// Replaces this process by the drawing part with the same arguments; returns only on failure,
// having said why on `err` (exit status 2).
int ExecDrawingPart(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace kx::cli
