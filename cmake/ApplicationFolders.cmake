# The folders of the application half, lowest layer first, and the folders each one uses.
# A folder includes headers and links the library only of itself and of the folders it
# names here: report (the program's one-line reports to its user) below everything, then
# sound, gfx and motion, then touchui, screens and app. Read by
# every build of the application (one static library per folder), by the include rule
# (tests/seam/check_includes.cmake) and by wincheck.
set(TILTCHIME_APP_FOLDERS report sound gfx motion touchui screens app)
set(TILTCHIME_USES_report)
set(TILTCHIME_USES_sound report)
set(TILTCHIME_USES_gfx report)
set(TILTCHIME_USES_motion sound)
set(TILTCHIME_USES_touchui gfx)
set(TILTCHIME_USES_screens touchui gfx)
set(TILTCHIME_USES_app screens touchui motion gfx sound report)

# Run as a script (cmake -P), it prints the folders one a line, for shell scripts.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  foreach(folder ${TILTCHIME_APP_FOLDERS})
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${folder})
  endforeach()
endif()
