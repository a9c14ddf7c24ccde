// The install folder's subfolders: setup sorts files into them and names
// files in them in the registry, and the uninstaller removes them.
#pragma once

namespace InstallSubfolder {
inline constexpr const char* Sounds = "Sounds";
inline constexpr const char* Languages = "Languages";
inline constexpr const char* Help = "Help";
inline constexpr const char* All[] = {Sounds, Languages, Help};
} // namespace InstallSubfolder

// The suite's own sounds, in its Sounds subfolder.
inline constexpr int SuiteSoundCount = 3;
inline constexpr const char* SuiteSounds[SuiteSoundCount] = {"shhhuh.wav", "tki-tko.wav", "gnoop.wav"};

// Sound files are those whose names contain one of these (case-sensitive).
inline constexpr int SoundPatternCount = 4;
inline constexpr const char* SoundPatterns[SoundPatternCount] = {".wav", ".WAV", ".mid", ".MID"};
