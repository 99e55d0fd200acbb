#pragma once

// The project's one version number and the revision it was built from, for --version.
namespace host {

const char* Version();  // "0.1"
const char* Revision(); // "ac27d44", "ac27d44-dirty", or "unknown" outside a git checkout

} // namespace host
