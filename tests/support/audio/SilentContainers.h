#pragma once
// One second of silence (44.1 kHz, stereo) in the containers no Debian encoder writes, built
// byte by byte: WAV and AIFF hold real silent samples; the M4A and WMA files hold a valid
// container whose audio is zero bytes, enough for a tag reader but not for a player.
#include <string>

namespace cdz::test {

std::string silentWav();
std::string silentAiff();
std::string silentM4a(bool alac);  // AAC, or ALAC when alac
std::string silentWma();

}  // namespace cdz::test
