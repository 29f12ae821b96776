#pragma once

namespace platform {

// Readies the process for the browser engine; call before the first browser
// view is made. Cheap after the first call.
void prepareBrowserEngine();

} // namespace platform
