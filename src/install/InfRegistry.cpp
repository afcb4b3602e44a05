#include "install/InfRegistry.h"

#include "framework/RegKey.h"

bool SetRegString(HKEY root, const std::wstring& subkey, const std::wstring& valueName,
                  const std::wstring& value) {
    CRegKey key;
    return key.Create(root, subkey, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE) ==
               ERROR_SUCCESS &&
           key.SetString(valueName.c_str(), value) == ERROR_SUCCESS && key.Flush() == ERROR_SUCCESS;
}
