// The small system the frame, routing and command suites start from, on the fake service manager
// and registry: Win32 services in every run state and start type, two svchost services, drivers of
// both kinds, and one refusal of each control.
//
// Win32 services in enumeration order:
//   Alpha     running, automatic, with a description and a group
//   Beta      stopped, demand, no description (the list shows its display name)
//   Gamma     paused, disabled, a Chinese description; a start is refused as disabled
//   Delta     stop pending, demand
//   Epsilon   an unknown state (8) and start type (7)
//   LocalSvc  running svchost -k LocalService with a service DLL; a stop is refused (access denied)
//   NetSvc    running svchost -k netsvcs with a service DLL
// Drivers: DrvBoot (boot, running), DrvFs (a file-system driver), DrvAuto (automatic, running).
#pragma once

#include <cstddef>
#include <string>

#include "platform/system_errors.h"  // the codes the sample's refusals answer with

class FakeSystem;

void AddSampleServices(FakeSystem& system);

// Services whose texts and numbers test the saved-inventory format and the catalogue's rewriting
// on a second load: quotes, commas and line breaks in texts, paths the rewriting would change
// again, every text field at its full 259 characters, a long name, no display name, an unresolved
// indirect description, both kinds.
void AddAwkwardServices(FakeSystem& system);

// count copies of a text.
std::string Repeat(const std::string& text, std::size_t count);
