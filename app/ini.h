#pragma once
// The INI model (root keys and named sections of key/value texts) and the
// process-wide configuration over config.ini beside the executable.
#include <map>

#include "app/str.h"

// An INI file held in memory; CZsConfig is the one over config.ini.
class CZsIni {
public:
    using keys_t = std::map<Str, Str>;  // ordered case-sensitively, as the file is written

    Str path;                       // the path of the last load; save writes here
    std::map<Str, keys_t> sections;
    keys_t root;                    // keys before the first section header

    explicit CZsIni(const wchar_t* path);
    virtual ~CZsIni() = default;

    // False when nothing was read (the maps are then left as they were).
    // Without `force`, a missing file is not even opened.
    bool load(const wchar_t* path, bool force);
    // Replaces the file through a temporary file beside it, so a failed write
    // leaves the old file whole. False (with a warning on stdout) when nothing
    // was written, also when the existing file could not be read or is
    // read-only (it is then left as it is).
    bool save();

    // A null section means the root keys.
    Str get_string(const wchar_t* key, const Str& def, const wchar_t* section) const;
    // Decimal or "0x" hexadecimal, leading digits only ("12abc" gives 12);
    // `def` when the value holds no number.
    int get_int(const wchar_t* key, int def, const wchar_t* section) const;
    // Memory only; a missing section is created, a null value stores "".
    void set_string(const wchar_t* key, const wchar_t* value, const wchar_t* section);
    void set_int(const wchar_t* key, int value, const wchar_t* section);

private:
    // Set when the file exists but could not be read whole: saving then would
    // replace the player's settings with a partial or empty model.
    bool unreadable_ = false;
};

// The game's configuration: the one CZsIni over config.ini, written back when
// the process exits.
class CZsConfig : public CZsIni {
public:
    // The one object over get_exe_dir() + "config.ini", made on first use.
    static CZsConfig& instance();

    // Public so that tests can run the life cycle over a file of their own.
    // A temporary file that a kill left from the last write is removed.
    explicit CZsConfig(const wchar_t* path);
    ~CZsConfig() override { save(); }
};

Str config_get_string(const wchar_t* key, const wchar_t* def, const wchar_t* section);
