// The source of the libraries that compile the shared precompiled headers (cmake/BuildSpeed.cmake):
// a library needs one, and it adds nothing of its own.
