#pragma once
// Where the register's command line writes: standard output and error, made
// ready for it while a ConsoleOutput lives (on Windows the program is a window
// program, which gets no console of its own).
namespace reg {

class ConsoleOutput {
public:
    ConsoleOutput();
    ~ConsoleOutput();
    ConsoleOutput(const ConsoleOutput&) = delete;
    ConsoleOutput& operator=(const ConsoleOutput&) = delete;

private:
    [[maybe_unused]] unsigned codePage_ = 0; // the console's own, given back at the end (Windows only)
};

// Whether standard error is a terminal, which a progress line may rewrite.
bool ErrorIsTerminal();

} // namespace reg
