#pragma once
// Standard input, output and error as every program of the clock expects them: open. A program
// started with one of them closed would hand that number to the next file or connection it
// opens, and its own messages would then be written into it (the X protocol stream, a settings
// file). Called first thing in main, before anything is opened.
namespace quarvel {

// Which of them the program was started with closed.
struct ClosedStandardDescriptors {
  bool input = false;
  bool output = false;
  bool error = false;
};

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed, and tells which were: a
// program whose work is its standard output must not take /dev/null for it and call that
// success. Nothing to do on Windows.
ClosedStandardDescriptors OpenStandardDescriptors();

}  // namespace quarvel
