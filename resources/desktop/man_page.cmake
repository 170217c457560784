# Writes the manual page of quintello-cli from its own --aiuto and --version, so that the page
# and the program never tell different things.
#   cmake -DCLI=quintello-cli -DOUT=quintello-cli.1 -DDATE=AAAA-MM-GG -P man_page.cmake
execute_process(COMMAND ${CLI} --aiuto OUTPUT_VARIABLE usage RESULT_VARIABLE failed)
execute_process(COMMAND ${CLI} --version OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
if(failed OR NOT version)
  message(FATAL_ERROR "${CLI} --aiuto or --version failed")
endif()

# roff: a backslash is written \e, and a line may not start with a dot or an apostrophe.
string(REPLACE "\\" "\\e" usage "${usage}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" usage "${usage}")

file(WRITE ${OUT} ".TH QUINTELLO-CLI 1 \"${DATE}\" \"${version}\" \"Comandi dell'utente\"
.SH NOME
quintello-cli \\- il metodo Quintello, le quadrature e l'archivio del Lotto da riga di comando
.SH DESCRIZIONE
.B quintello-cli
esegue senza finestre i calcoli del programma
.BR quintello :
il metodo Quintello, le misure delle quadrature, il riepilogo, il controllo e l'aggiornamento
dell'archivio delle estrazioni e le sue esportazioni. Le tabelle escono come righe di celle
separate da tabulazioni, precedute da una riga \\fB# nome\\fR; con \\fB\\-\\-json\\fR come un
documento JSON. In caso di errore il messaggio va sullo standard error e lo stato di uscita
\\(`e 2.
.SH COMANDI E OPZIONI
.nf
${usage}.fi
.SH AMBIENTE
.TP
.B QUINTELLO_CARTELLA
la cartella del programma, al posto di quella scelta da sé.
.TP
.B XDG_DATA_HOME
la cartella dei dati dell'utente: il programma installato vi tiene la sua cartella
\\fIquintello\\fR (di solito \\fI~/.local/share/quintello\\fR).
.SH FILE
.TP
.I dbQuintello.mdb
il database del programma nella sua cartella (PercorsoArchivio, EstrazioneIniziale).
.TP
.I archivio.mdb
l'archivio delle estrazioni costruito al primo avvio dalle estrazioni fornite.
.TP
.I share/quintello/estrazioni.txt
le estrazioni fornite con il programma installato.
")
