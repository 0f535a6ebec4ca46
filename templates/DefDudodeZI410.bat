@echo off
rem DudodeZI410.bat: carga de archivos, de la PC al Hand Held.
rem DAZU lo instala desde DefDudodeZI410.bat cuando falta; no lo lee ni lo ejecuta.
