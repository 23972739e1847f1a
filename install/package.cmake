# The Debian package (scripts/package): the program's folder under
# /usr/lib/velmora (read-only for users: their settings go to their own
# folders), the command on the PATH, the desktop entry, icon, AppStream
# metadata, copyright and changelog where Debian keeps them.
set(VELMORA_FOLDER lib/velmora)
install(TARGETS velmora RUNTIME DESTINATION ${VELMORA_FOLDER})
install(DIRECTORY Lang help Video DESTINATION ${VELMORA_FOLDER})
install(FILES config.dll velmora.svg DESTINATION ${VELMORA_FOLDER})
# Marks the folder as a system installation: every user, root too, keeps
# settings, logos and imported dictionaries in their own home.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/system-installation
     "Velmora installed by the package: each user's settings live in their own folders.\n")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/system-installation DESTINATION ${VELMORA_FOLDER})
install(FILES Faces/README DESTINATION ${VELMORA_FOLDER}/Faces)
install(FILES Data/README Data/strokes-NOTICE.txt ${VELMORA_STAGE}/Data/Velmdict_cn.dat ${VELMORA_STAGE}/Data/Velmdict_big5.dat ${VELMORA_WORDS_OUTPUT}
        DESTINATION ${VELMORA_FOLDER}/Data)

file(CREATE_LINK ../lib/velmora/velmora ${CMAKE_CURRENT_BINARY_DIR}/velmora SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/velmora DESTINATION bin)
install(FILES package/org.velmora.Velmora.desktop DESTINATION share/applications)
# The idioms in GNOME Shell's search and KDE's KRunner, answered by the
# running window, or by the program the session bus starts for them.
install(FILES package/org.velmora.Velmora.search-provider.ini DESTINATION share/gnome-shell/search-providers)
install(FILES package/org.velmora.Velmora.service DESTINATION share/dbus-1/services)
install(FILES package/org.velmora.Velmora.krunner.desktop DESTINATION share/krunner/dbusplugins
        RENAME org.velmora.Velmora.desktop)
install(FILES velmora.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES package/org.velmora.Velmora.metainfo.xml DESTINATION share/metainfo)
install(FILES package/copyright DESTINATION share/doc/velmora)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/velmora.1.gz
                   COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/package/velmora.1 > ${CMAKE_CURRENT_BINARY_DIR}/velmora.1.gz
                   DEPENDS package/velmora.1)
add_custom_target(velmora_manual ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/velmora.1.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/velmora.1.gz DESTINATION share/man/man1)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
                   COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/package/changelog > ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
                   DEPENDS package/changelog)
add_custom_target(velmora_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION share/doc/velmora)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "dictionary of Chinese idioms (chengyu)")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Velmora is a desktop dictionary of Chinese idioms. It finds an idiom by its\n"
    "characters, by pinyin without tones or by its initials, files the idioms\n"
    "under the letters of their pinyin, reads them aloud and lets the learner\n"
    "practise them in a missing-character quiz, with favourites and a history.\n"
    "The dictionary data come from CC-CEDICT, and more idiom data can be imported.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Velmora developers <velmora@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://velmora.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the shared libraries do not tell: the fonts, the speech engine (loaded
# when the first voice is made) and its voice data, the conversion tables for
# the import, Qt's X11 platform plugin and its SVG image plugin (the pictures
# are SVG).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, libespeak-ng1, espeak-ng-data, libpulse0, libopencc-data, qt6-qpa-plugins, libqt6svg6")
# Wayland sessions run the program natively (sharp at fractional scales), not under XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
include(CPack)
