#pragma once

namespace dazu::config {

// The wait of databases opened from now on (kBusyTimeoutMs unless set). Tests of contention
// shorten it, so that waiting out another program's lock takes a moment, not five seconds.
void SetBusyTimeoutMs(int milliseconds);

} // namespace dazu::config
