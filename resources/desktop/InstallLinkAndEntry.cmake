# Runs at install time, with CMAKE_INSTALL_PREFIX the final prefix.
set(kv_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

# bin/kavelin -> ../lib/kavelin/kavelin: relative, so a moved or staged prefix keeps working.
file(MAKE_DIRECTORY "${kv_root}/bin")
message(STATUS "Installing: ${kv_root}/bin/kavelin -> ../lib/kavelin/kavelin")
file(CREATE_LINK ../lib/kavelin/kavelin "${kv_root}/bin/kavelin" SYMBOLIC)

# Exec= quotes the program's path by the desktop entry rules: inside the quotes \ " ` $ take a
# backslash, % is doubled, and then the value's own escaping doubles every backslash again.
set(kv_exe "${CMAKE_INSTALL_PREFIX}/bin/kavelin")
string(REPLACE "\\" "\\\\" kv_quoted "${kv_exe}")
foreach(c "\"" "`" "$")
  string(REPLACE "${c}" "\\${c}" kv_quoted "${kv_quoted}")
endforeach()
string(REPLACE "%" "%%" kv_quoted "${kv_quoted}")
string(REPLACE "\\" "\\\\" kv_quoted "${kv_quoted}")
set(KAVELIN_EXEC "\"${kv_quoted}\"")
string(REPLACE "\\" "\\\\" KAVELIN_TRYEXEC "${kv_exe}")

set(kv_entry "${kv_root}/share/applications/${kv_app_id}.desktop")
message(STATUS "Installing: ${kv_entry}")
configure_file("${kv_desktop_in}" "${kv_entry}" @ONLY)
