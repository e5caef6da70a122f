<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>BoardAccess</name>
    <message>
        <source>card table</source>
        <translation>tavolo da gioco</translation>
    </message>
    <message>
        <source>Ace</source>
        <translation>Asso</translation>
    </message>
    <message>
        <source>Two</source>
        <translation>Due</translation>
    </message>
    <message>
        <source>Three</source>
        <translation>Tre</translation>
    </message>
    <message>
        <source>Four</source>
        <translation>Quattro</translation>
    </message>
    <message>
        <source>Five</source>
        <translation>Cinque</translation>
    </message>
    <message>
        <source>Six</source>
        <translation>Sei</translation>
    </message>
    <message>
        <source>Seven</source>
        <translation>Sette</translation>
    </message>
    <message>
        <source>Eight</source>
        <translation>Otto</translation>
    </message>
    <message>
        <source>Nine</source>
        <translation>Nove</translation>
    </message>
    <message>
        <source>Ten</source>
        <translation>Dieci</translation>
    </message>
    <message>
        <source>Jack</source>
        <translation>Fante</translation>
    </message>
    <message>
        <source>Queen</source>
        <translation>Regina</translation>
    </message>
    <message>
        <source>King</source>
        <translation>Re</translation>
    </message>
    <message>
        <source>Clubs</source>
        <translation>fiori</translation>
    </message>
    <message>
        <source>Diamonds</source>
        <translation>quadri</translation>
    </message>
    <message>
        <source>Hearts</source>
        <translation>cuori</translation>
    </message>
    <message>
        <source>Spades</source>
        <translation>picche</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A card&apos;s name: %1 is its rank, %2 its suit.</extracomment>
        <translation>%1 di %2</translation>
    </message>
    <message>
        <source>stock, empty</source>
        <translation>tallone, vuoto</translation>
    </message>
    <message>
        <source>stock, 1 card</source>
        <translation>tallone, 1 carta</translation>
    </message>
    <message>
        <source>stock, %1 cards</source>
        <translation>tallone, %1 carte</translation>
    </message>
    <message>
        <source>discard pile, %1</source>
        <translation>pila degli scarti, %1</translation>
    </message>
    <message>
        <source>discard pile, empty</source>
        <translation>pila degli scarti, vuota</translation>
    </message>
    <message>
        <source>empty place</source>
        <translation>posto vuoto</translation>
    </message>
    <message>
        <source>face-down card</source>
        <translation>carta coperta</translation>
    </message>
    <message>
        <source>, playable</source>
        <translation>, giocabile</translation>
    </message>
    <message>
        <source>New game. %1 on the discard pile, 23 cards in the stock.</source>
        <translation>Nuova partita. %1 sulla pila degli scarti, 23 carte nel tallone.</translation>
    </message>
    <message>
        <source>%1 played, %2.</source>
        <translation>%1 giocata, %2.</translation>
    </message>
    <message>
        <source>Peak bonus.</source>
        <translation>Bonus della vetta.</translation>
    </message>
    <message>
        <source>Turned up: %1.</source>
        <translation>Scoperta: %1.</translation>
    </message>
    <message>
        <source>Stock turned: %1, %2.</source>
        <translation>Carta dal tallone: %1, %2.</translation>
    </message>
    <message>
        <source>The stock is empty, %1.</source>
        <translation>Il tallone è vuoto, %1.</translation>
    </message>
    <message>
        <source>Board cleared! End bonus %1. Final score %2.</source>
        <translation>Tavolo sgombrato! Bonus finale %1. Punteggio finale %2.</translation>
    </message>
    <message>
        <source>No card fits and the stock is empty: game lost. Final score %1.</source>
        <translation>Nessuna carta si può giocare e il tallone è vuoto: partita persa. Punteggio finale %1.</translation>
    </message>
    <message>
        <source>Score %1.</source>
        <translation>Punteggio %1.</translation>
    </message>
    <message>
        <source>End of the row. %1</source>
        <translation>Fine della fila. %1</translation>
    </message>
    <message>
        <source> The frame is on %1.</source>
        <translation> La cornice è su %1.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 back on the table, %3 on the discard pile.</source>
        <translation>Annulla, %1: %2 di nuovo sul tavolo, %3 sulla pila degli scarti.</translation>
    </message>
    <message>
        <source>Undo: %1 back in the stock, %2 on the discard pile. %3.</source>
        <translation>Annulla: %1 di nuovo nel tallone, %2 sulla pila degli scarti. %3.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 on the discard pile.</source>
        <translation>Annulla, %1: %2 sulla pila degli scarti.</translation>
    </message>
</context>
<context>
    <name>Tabout</name>
    <message>
        <source>Solmarin - About</source>
        <translation>Solmarin - Informazioni</translation>
    </message>
    <message>
        <source>Programmed by the Solmarin team</source>
        <translation>Programmato dal team di Solmarin</translation>
    </message>
    <message>
        <source>Copyright 2026</source>
        <translation>Copyright 2026</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Tutti i diritti riservati.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versione</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fatto</translation>
    </message>
</context>
<context>
    <name>Thelp</name>
    <message>
        <source>Solmarin - Help File</source>
        <translation>Solmarin - Guida</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Panoramica</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Come si gioca</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Punteggio</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Documentazione</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Programmed by the</source>
        <translation>Programmato dal</translation>
    </message>
    <message>
        <source>Solmarin team</source>
        <translation>team di Solmarin</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fatto</translation>
    </message>
    <message>
        <source>Keys and Deals</source>
        <translation>Tasti e mani</translation>
    </message>
</context>
<context>
    <name>Thighscore</name>
    <message>
        <source>Solmarin - High Scores</source>
        <translation>Solmarin - Punteggi migliori</translation>
    </message>
    <message>
        <source>Solmarin High Score List</source>
        <translation>Solmarin Classifica</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>FATTO</translation>
    </message>
    <message>
        <source>Fetching the high score list...</source>
        <translation>Caricamento della classifica...</translation>
    </message>
    <message>
        <source>The high score list could not be fetched. The score server cannot be reached; open the list again to try once more.</source>
        <translation>Impossibile caricare la classifica. Il server dei punteggi non è raggiungibile; riapri la lista per riprovare.</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Mano del giorno</translation>
    </message>
    <message>
        <source>All Scores</source>
        <translation>Tutti i punteggi</translation>
    </message>
    <message>
        <source>No scores have been posted for the Deal of the Day of %1 yet.</source>
        <translation>Non sono ancora stati inviati punteggi per la mano del giorno del %1.</translation>
    </message>
</context>
<context>
    <name>Tmain</name>
    <message>
        <source>START GAME</source>
        <translation>NUOVA PARTITA</translation>
    </message>
    <message>
        <source>UNDO -3</source>
        <translation>ANNULLA -3</translation>
    </message>
    <message>
        <source>ENTER YOUR NAME</source>
        <translation>INSERISCI IL TUO NOME</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>FATTO</translation>
    </message>
    <message>
        <source>SORRY, YOU LOST!</source>
        <translation>PECCATO, HAI PERSO!</translation>
    </message>
    <message>
        <source>YOUR CLEARED THE BOARD!</source>
        <translation>TAVOLO SGOMBRATO!</translation>
    </message>
    <message>
        <source>Enter Your Name</source>
        <translation>Inserisci il tuo nome</translation>
    </message>
    <message>
        <source>SEND SCORE</source>
        <translation>INVIA PUNTEGGIO</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>CLASSIFICA</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>ANNULLA</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait......</source>
        <translation>Invio del punteggio, attendi......</translation>
    </message>
    <message>
        <source>Update Available</source>
        <translation>Aggiornamento disponibile</translation>
    </message>
    <message>
        <source>Would you like to update now?</source>
        <translation>Vuoi aggiornare adesso?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Partita</translation>
    </message>
    <message>
        <source>Start New Game</source>
        <translation>Nuova partita</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opzioni</translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation>Suoni</translation>
    </message>
    <message>
        <source>Reset Screen Location</source>
        <translation>Ripristina la posizione della finestra</translation>
    </message>
    <message>
        <source>Change  Name</source>
        <translation>Cambia nome</translation>
    </message>
    <message>
        <source>Automatically Check for Updates</source>
        <translation>Cerca aggiornamenti automaticamente</translation>
    </message>
    <message>
        <source>Animate Cards</source>
        <translation>Anima le carte</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Visualizza</translation>
    </message>
    <message>
        <source>Tally List</source>
        <translation>Statistiche</translation>
    </message>
    <message>
        <source>View High Score List</source>
        <translation>Mostra la classifica</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Guida</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Score: %1</source>
        <translation>Punti: %1</translation>
    </message>
    <message>
        <source>Cards Left: %1</source>
        <translation>Carte rimaste: %1</translation>
    </message>
    <message>
        <source>Deal %1</source>
        <translation>Mano %1</translation>
    </message>
    <message>
        <source>Good Luck %1</source>
        <translation>Buona fortuna %1</translation>
    </message>
    <message>
        <source>Welcome to Solmarin by Velbor Software!</source>
        <translation>Benvenuto in Solmarin di Velbor Software!</translation>
    </message>
    <message>
        <source>You Cleared The Board!</source>
        <translation>Tavolo sgombrato!</translation>
    </message>
    <message>
        <source>Your Score: %1</source>
        <translation>Il tuo punteggio: %1</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait</source>
        <translation>Invio del punteggio, attendi</translation>
    </message>
    <message>
        <source>Posting Failed.</source>
        <translation>Invio non riuscito.</translation>
    </message>
    <message>
        <source>Select Deal...</source>
        <translation>Scegli mano...</translation>
    </message>
    <message>
        <source>Restart Deal</source>
        <translation>Ricomincia mano</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Suggerimento</translation>
    </message>
    <message>
        <source>This game can no longer be won.</source>
        <translation>Non si può più vincere.</translation>
    </message>
    <message>
        <source>Select Deal</source>
        <translation>Scegli mano</translation>
    </message>
    <message>
        <source>Deal number (0 to 4294967295):</source>
        <translation>Numero della mano (da 0 a 4294967295):</translation>
    </message>
    <message>
        <source>Updating. Please Wait...</source>
        <translation>Aggiornamento. Attendi...</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>%1 byte ricevuti</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Installazione</translation>
    </message>
    <message>
        <source>There was an error in the update process. Please download %1 manually from %2.</source>
        <translation>Si è verificato un errore durante l&apos;aggiornamento. Scarica %1 manualmente da %2.</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Download interrotto</translation>
    </message>
    <message>
        <source>Winnable Deals Only</source>
        <translation>Solo mani vincibili</translation>
    </message>
    <message>
        <source>This deal cannot be won.</source>
        <translation>Questa mano non si può vincere.</translation>
    </message>
    <message>
        <source>Deal of the Day %1 (deal %2)</source>
        <translation>Mano del giorno %1 (mano %2)</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Mano del giorno</translation>
    </message>
    <message>
        <source>%1 web site</source>
        <translation>Sito web di %1</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Il tuo nome</translation>
    </message>
    <message>
        <source>Hint: turn the stock.</source>
        <translation>Suggerimento: gira una carta dal tallone.</translation>
    </message>
    <message>
        <source>Hint: play the %1.</source>
        <translation>Suggerimento: gioca %1.</translation>
    </message>
</context>
<context>
    <name>Ttallylist</name>
    <message>
        <source>Confirm</source>
        <translation>Conferma</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation>Vuoi davvero azzerare le statistiche?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Sì</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Solmarin - Tally List</source>
        <translation>Solmarin - Statistiche</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST</source>
        <translation>LE TUE STATISTICHE</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Partite:</translation>
    </message>
    <message>
        <source>Games Cleared:</source>
        <translation>Vinte:</translation>
    </message>
    <message>
        <source>Win Percentage:</source>
        <translation>% di vittorie:</translation>
    </message>
    <message>
        <source>Longest Chain</source>
        <translation>Serie più lunga</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>CLASSIFICA</translation>
    </message>
    <message>
        <source>RESET TALLY</source>
        <translation>AZZERA</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>FATTO</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Posizione</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Punteggio</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST: %1. HIGH SCORES</source>
        <translation>LE TUE STATISTICHE: %1. CLASSIFICA</translation>
    </message>
</context>
<context>
    <name>errorbox</name>
    <message>
        <source>An unexpected error occurred</source>
        <translation>Si è verificato un errore imprevisto</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Impossibile scrivere in %1</translation>
    </message>
    <message>
        <source>%1 : this file has no valid header !</source>
        <translation>%1: questo file non ha un&apos;intestazione valida!</translation>
    </message>
    <message>
        <source>Error reading from the file %1</source>
        <translation>Errore durante la lettura del file %1</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened</source>
        <translation>Impossibile aprire il file %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; non è un numero intero valido</translation>
    </message>
    <message>
        <source>Unable to write to the temporary folder</source>
        <translation>Impossibile scrivere nella cartella temporanea</translation>
    </message>
</context>
</TS>
