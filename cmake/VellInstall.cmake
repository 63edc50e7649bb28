# Installation as Debian lays programs out: vellhost in bin/, the host libraries, the editor
# module and the UI plug-ins private to it in lib/<multiarch>/vell/ (the plug-ins in plugins/
# beside the host libraries, where the data-view manager looks), the desktop entry, the MIME
# type of .dlg files and the icon in share/.
include(GNUInstallDirs)
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(VELL_INSTALL_LIBDIR "lib/${CMAKE_LIBRARY_ARCHITECTURE}/vell")
else()
  set(VELL_INSTALL_LIBDIR "lib/vell")
endif()

# Installed programs find the private libraries relative to themselves.
foreach(program vellhost dlgtool)
  if(TARGET ${program})
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/../${VELL_INSTALL_LIBDIR}")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
foreach(library VELLCore VELLMVA2 Q4Support Q4Widgets VQ4VMVDialogEditor)
  if(TARGET ${library})
    set_target_properties(${library} PROPERTIES INSTALL_RPATH "$ORIGIN")
    install(TARGETS ${library} LIBRARY DESTINATION ${VELL_INSTALL_LIBDIR})
  endif()
endforeach()
foreach(plugin VellLcdElements)
  if(TARGET ${plugin})
    set_target_properties(${plugin} PROPERTIES INSTALL_RPATH "$ORIGIN/..")
    install(TARGETS ${plugin} LIBRARY DESTINATION ${VELL_INSTALL_LIBDIR}/plugins)
  endif()
endforeach()
if(TARGET vellhost)
  # The program looks for the module here when it is not beside it as in the build folder.
  target_compile_definitions(vellhost PRIVATE VELL_INSTALLED_MODULE_DIR="${VELL_INSTALL_LIBDIR}")
endif()

install(FILES app/desktop/vellhost.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES app/desktop/vellhost-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME vellhost.xml)
install(FILES app/desktop/vellhost.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
