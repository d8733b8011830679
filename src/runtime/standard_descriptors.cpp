#include "runtime/standard_descriptors.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace quarvel {

ClosedStandardDescriptors OpenStandardDescriptors() {
  ClosedStandardDescriptors closed;
#ifndef _WIN32
  bool* const wasClosed[] = {&closed.input, &closed.output, &closed.error};
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    *wasClosed[fd] = true;
    // open() takes the lowest free number, which is this one: the ones below are open by now.
    const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (opened != -1 && opened != fd) close(opened);  // not ours to fill: leave it
  }
#endif
  return closed;
}

}  // namespace quarvel
