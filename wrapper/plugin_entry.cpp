// The plug-in module. Its code lives in the wrapper, product and interface
// libraries linked into it; the library's exported entry functions are the
// module's only visible symbols (see exports.map).
