# ./run.sh opening the window: a stand-in program prints what GTK prints from
# the file dialog beside a line of its own; only its own line reaches the
# terminal, and its exit status is run.sh's.
#   cmake -DSOURCE=... -DWORK=... -P run_script.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/scripts ${WORK}/build/release/app)
file(COPY_FILE ${SOURCE}/run.sh ${WORK}/run.sh)
file(WRITE ${WORK}/scripts/deps.sh
     "pexolen_install_deps() { :; }\npexolen_build_program() { :; }\n")
file(WRITE ${WORK}/build/release/app/pexolen [=[#!/bin/sh
echo "(pexolen:4242): Gtk-CRITICAL **: 10:00:00.000: gtk_widget_get_scale_factor: assertion 'GTK_IS_WIDGET (widget)' failed" >&2
echo "Gtk-Message: 10:00:00.001: GtkDialog mapped without a transient parent. This is discouraged." >&2
echo "(pexolen:4242): GLib-GObject-WARNING **: 10:00:00.002: invalid cast" >&2
echo "pexolen: cannot read 'x.bmp': not a picture" >&2
exit 5
]=])
file(CHMOD ${WORK}/run.sh ${WORK}/build/release/app/pexolen
     PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
execute_process(COMMAND ${CMAKE_COMMAND} -E env DISPLAY=:99 ${WORK}/run.sh
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(REMOVE_RECURSE ${WORK})
if(NOT status EQUAL 5 OR NOT out STREQUAL "" OR
   NOT err STREQUAL "pexolen: cannot read 'x.bmp': not a picture\n")
  message(FATAL_ERROR "run.sh gave status ${status}, out '${out}', err '${err}'")
endif()
