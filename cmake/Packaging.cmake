# `make package`: a Debian package of what `cmake --install` installs. Configure with
# -DCMAKE_INSTALL_PREFIX=/usr for a package of the system (the Makefile's `package` target does):
# the desktop entries and the D-Bus service file name the programs by the configured prefix.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Norvale")
set(CPACK_PACKAGE_CONTACT "Norvale calendar widget maintainers <maintainers@users.noreply.c-seed-d5884e3c.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calendar schedules as a task list on the desktop")
# Lines of at most 79 characters: dpkg and apt show them as they are.
set(CPACK_PACKAGE_DESCRIPTION
    "A small translucent widget that sits on the desktop below all other windows\n\
and lists the calendar's schedules of the coming days as tasks, with\n\
countdowns, pinned tasks and tick boxes. It comes with tasklist-dataserver, a\n\
calendar data server on iCalendar files that the session bus starts when the\n\
widget first asks for its schedules.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the session bus, which starts the data server on demand, is
# no library, and neither are the plugins: Qt's SVG icon and image plugins draw the icons at the
# scales they do not come drawn at (the panel links no SVG library), in Qt 5's SVG library package,
# in Qt 6's apart. On Wayland: Qt's platform plugin, and LayerShellQt's shell plugin, which its
# library only recommends (without it the widget shows nothing on a compositor with layer-shell).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(QT_VERSION_MAJOR EQUAL 6)
    set(plugin_packages "qt6-svg-plugins, qt6-wayland")
    # Qt's own translations of its standard texts (a file dialog's buttons); the widget's are built in.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
else()
    set(plugin_packages "libqt5svg5, qtwayland5")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qttranslations5-l10n")
endif()
# Online accounts: the settings window keeps the password in the keyring with secret-tool, and the
# data server syncs them with vdirsyncer, which reads it back through secret-tool. Recommended, not
# required: without them the widget and its local calendars work as before, and the settings window
# says why an account cannot be added or does not sync.
string(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS ", vdirsyncer, libsecret-tools")
# Reminders and the end of a countdown are notifications: every desktop's shell provides the
# service (gnome-shell, plasma-workspace, xfce4-notifyd, dunst, mako, ...).
string(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS ", notification-daemon")
# A Secret Service keeps the accounts' passwords (KDE's KWallet offers one too); the desktop's
# calendars are served where Evolution Data Server runs, which the data server links to where built
# with it, but does not start.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnome-keyring")
if(LIBECAL_FOUND)
    string(APPEND CPACK_DEBIAN_PACKAGE_SUGGESTS ", evolution-data-server")
endif()
if(ZYK_LAYER_SHELL)
    string(APPEND plugin_packages ", layer-shell-qt")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "default-dbus-session-bus | dbus-session-bus, ${plugin_packages}")

# The autostart entry is the administrator's to change (Hidden=true turns it off): a conffile, whose
# edits dpkg keeps over upgrades.
set(autostart_entry ${CMAKE_INSTALL_FULL_SYSCONFDIR}/xdg/autostart/nvx-calendar-desktop-widget.desktop)
if(autostart_entry MATCHES "^/etc/")
    file(WRITE ${CMAKE_BINARY_DIR}/debian/conffiles "${autostart_entry}\n")
    set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/conffiles)
endif()

# What Debian asks of every package in /usr/share/doc/<package>: the copyright, and the changelog,
# which is changelog.gz where the version has no Debian revision (a native package), gzipped
# with -9n as the manual pages are.
set(package_changelog ${CMAKE_BINARY_DIR}/debian/changelog.gz)
add_custom_command(OUTPUT ${package_changelog}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debian
                   COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/debian/changelog > ${package_changelog}
                   DEPENDS ${CMAKE_CURRENT_LIST_DIR}/debian/changelog VERBATIM)
add_custom_target(package-changelog ALL DEPENDS ${package_changelog})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${package_changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(CPack)
