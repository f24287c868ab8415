// The C runtime's low-level file queries, as Windows' io.h declares them.
#pragma once

// Checks that a file or folder exists (mode 0) and may be read (4), written (2) or both (6).
// Returns 0, or -1 with errno: ENOENT when missing, EACCES when the access is refused, EINVAL for
// another mode. Can be made to fail with sim::failCall("_access").
int _access(const char* path, int mode);

// Deletes a file; see stdio_win.h.
int _unlink(const char* filename);
