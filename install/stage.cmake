# Copies the installation files into the staged folder. The user's
# config.dll and Faces/ are kept once they exist: the program writes them.
file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(file IN LISTS files)
  if(file MATCHES "^(CMakeLists.txt|stage.cmake|install.cmake|package.cmake|velmora.desktop.in|package/.*)$")
    continue()
  endif()
  if(file STREQUAL "config.dll" AND EXISTS ${TARGET}/config.dll)
    continue()
  endif()
  get_filename_component(folder ${TARGET}/${file} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(COPY_FILE ${SOURCE}/${file} ${TARGET}/${file} ONLY_IF_DIFFERENT)
endforeach()
