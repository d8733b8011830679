#pragma once
// Standard input, output and error as every program of the clock expects them: open. A program
// started with one of them closed would hand that number to the next file or connection it
// opens, and its own messages would then be written into it (the X protocol stream, a settings
// file). Called first thing in main, before anything is opened.
namespace quarvel {

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed. Nothing to do on Windows.
void OpenStandardDescriptors();

}  // namespace quarvel
