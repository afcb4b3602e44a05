#pragma once

#include <windows.h>

#include <string>

// Stores a string value (REG_SZ, with its terminating null character) under the subkey of a
// root key, creating the subkey with every key on its way; an empty value name sets the key's
// default value. True when the value was stored and flushed.
bool SetRegString(HKEY root, const std::wstring& subkey, const std::wstring& valueName,
                  const std::wstring& value);
