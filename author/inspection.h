#pragma once
// The commands that look inside compiled files: dump, profile and plot.
// Each takes the arguments after its name and returns the exit status; a
// file that cannot be read, or whose bytes do not follow its layout, is an
// ErroreFile naming it.

#include <iosfwd>
#include <span>
#include <string>

namespace scenario::autore {

int esegui_dump(std::span<const std::string> argomenti, std::ostream& uscita);
int esegui_profile(std::span<const std::string> argomenti, std::ostream& uscita,
                   std::ostream& errori);
int esegui_plot(std::span<const std::string> argomenti, std::ostream& uscita);

}  // namespace scenario::autore
