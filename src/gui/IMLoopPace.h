#pragma once

namespace pestrol {

// How long the message loop may wait for input between passes. A still screen waits until
// its next timer is due or an event arrives; something that moves every pass (a playing
// animation) asks for the next wait to be 1 ms by calling RequestFastPass from its per-pass
// update, each pass anew.
void RequestFastPass();

// For the loop: whether a fast pass was asked for since the last call, and forget it.
bool TakeFastPassRequest();

}  // namespace pestrol
