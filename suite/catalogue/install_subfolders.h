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
inline constexpr const char* LanguagePatterns[] = {"_Lang.txt", "_lang.txt", "_LANG.TXT"};
inline constexpr const char* HelpPatterns[] = {".hlp", ".HLP"};

// Setup moves every file whose name contains one of a row's patterns into that
// subfolder, in this order: a name that matches two rows goes to the first.
struct SortedSubfolder {
    const char* name;
    const char* const* patterns; // case-sensitive, anywhere in the file name
    int patternCount;
};
inline constexpr SortedSubfolder SortedSubfolders[] = {
    {InstallSubfolder::Sounds, SoundPatterns, SoundPatternCount},
    {InstallSubfolder::Languages, LanguagePatterns, 3},
    {InstallSubfolder::Help, HelpPatterns, 2},
};
