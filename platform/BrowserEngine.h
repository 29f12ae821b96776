#pragma once

namespace platform {

// Readies the process for the browser engine; call before the first browser
// view is made. Cheap after the first call.
void prepareBrowserEngine();

// Whether the engine runs its pages in its sandbox, as the engine decides when
// it starts.
bool browserEngineSandboxed();

} // namespace platform
