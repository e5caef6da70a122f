<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>BoardAccess</name>
    <message>
        <source>card table</source>
        <translation>table de jeu</translation>
    </message>
    <message>
        <source>Ace</source>
        <translation>As</translation>
    </message>
    <message>
        <source>Two</source>
        <translation>Deux</translation>
    </message>
    <message>
        <source>Three</source>
        <translation>Trois</translation>
    </message>
    <message>
        <source>Four</source>
        <translation>Quatre</translation>
    </message>
    <message>
        <source>Five</source>
        <translation>Cinq</translation>
    </message>
    <message>
        <source>Six</source>
        <translation>Six</translation>
    </message>
    <message>
        <source>Seven</source>
        <translation>Sept</translation>
    </message>
    <message>
        <source>Eight</source>
        <translation>Huit</translation>
    </message>
    <message>
        <source>Nine</source>
        <translation>Neuf</translation>
    </message>
    <message>
        <source>Ten</source>
        <translation>Dix</translation>
    </message>
    <message>
        <source>Jack</source>
        <translation>Valet</translation>
    </message>
    <message>
        <source>Queen</source>
        <translation>Dame</translation>
    </message>
    <message>
        <source>King</source>
        <translation>Roi</translation>
    </message>
    <message>
        <source>Clubs</source>
        <translation>trèfle</translation>
    </message>
    <message>
        <source>Diamonds</source>
        <translation>carreau</translation>
    </message>
    <message>
        <source>Hearts</source>
        <translation>cœur</translation>
    </message>
    <message>
        <source>Spades</source>
        <translation>pique</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A card&apos;s name: %1 is its rank, %2 its suit.</extracomment>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>stock, empty</source>
        <translation>talon, vide</translation>
    </message>
    <message>
        <source>stock, 1 card</source>
        <translation>talon, 1 carte</translation>
    </message>
    <message>
        <source>stock, %1 cards</source>
        <translation>talon, %1 cartes</translation>
    </message>
    <message>
        <source>discard pile, %1</source>
        <translation>défausse, %1</translation>
    </message>
    <message>
        <source>discard pile, empty</source>
        <translation>défausse, vide</translation>
    </message>
    <message>
        <source>empty place</source>
        <translation>place vide</translation>
    </message>
    <message>
        <source>face-down card</source>
        <translation>carte face cachée</translation>
    </message>
    <message>
        <source>, playable</source>
        <translation>, jouable</translation>
    </message>
    <message>
        <source>New game. %1 on the discard pile, 23 cards in the stock.</source>
        <translation>Nouvelle partie. %1 sur la défausse, 23 cartes dans le talon.</translation>
    </message>
    <message>
        <source>%1 played, %2.</source>
        <translation>%1 jouée, %2.</translation>
    </message>
    <message>
        <source>Peak bonus.</source>
        <translation>Bonus de sommet.</translation>
    </message>
    <message>
        <source>Turned up: %1.</source>
        <translation>Retournée : %1.</translation>
    </message>
    <message>
        <source>Stock turned: %1, %2.</source>
        <translation>Carte du talon : %1, %2.</translation>
    </message>
    <message>
        <source>The stock is empty, %1.</source>
        <translation>Le talon est vide, %1.</translation>
    </message>
    <message>
        <source>Board cleared! End bonus %1. Final score %2.</source>
        <translation>Plateau dégagé ! Bonus final %1. Score final %2.</translation>
    </message>
    <message>
        <source>No card fits and the stock is empty: game lost. Final score %1.</source>
        <translation>Aucune carte ne convient et le talon est vide : partie perdue. Score final %1.</translation>
    </message>
    <message>
        <source>Score %1.</source>
        <translation>Score %1.</translation>
    </message>
    <message>
        <source>End of the row. %1</source>
        <translation>Fin de la rangée. %1</translation>
    </message>
    <message>
        <source> The frame is on %1.</source>
        <translation> Le cadre est sur %1.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 back on the table, %3 on the discard pile.</source>
        <translation>Annulation, %1 : %2 de retour sur la table, %3 sur la défausse.</translation>
    </message>
    <message>
        <source>Undo: %1 back in the stock, %2 on the discard pile. %3.</source>
        <translation>Annulation : %1 de retour dans le talon, %2 sur la défausse. %3.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 on the discard pile.</source>
        <translation>Annulation, %1 : %2 sur la défausse.</translation>
    </message>
</context>
<context>
    <name>Tabout</name>
    <message>
        <source>Solmarin - About</source>
        <translation>Solmarin - À propos</translation>
    </message>
    <message>
        <source>Programmed by the Solmarin team</source>
        <translation>Programmé par l&apos;équipe Solmarin</translation>
    </message>
    <message>
        <source>Copyright 2026</source>
        <translation>Copyright 2026</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Tous droits réservés.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>Thelp</name>
    <message>
        <source>Solmarin - Help File</source>
        <translation>Solmarin - Aide</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Présentation</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Déroulement</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Documentation</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Programmed by the</source>
        <translation>Programmé par</translation>
    </message>
    <message>
        <source>Solmarin team</source>
        <translation>l&apos;équipe Solmarin</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Keys and Deals</source>
        <translation>Touches, donnes</translation>
    </message>
</context>
<context>
    <name>Thighscore</name>
    <message>
        <source>Solmarin - High Scores</source>
        <translation>Solmarin - Meilleurs scores</translation>
    </message>
    <message>
        <source>Solmarin High Score List</source>
        <translation>Palmarès Solmarin</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Fetching the high score list...</source>
        <translation>Chargement du palmarès...</translation>
    </message>
    <message>
        <source>The high score list could not be fetched. The score server cannot be reached; open the list again to try once more.</source>
        <translation>Impossible de charger le palmarès. Le serveur des scores est injoignable ; rouvrez la liste pour réessayer.</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Donne du jour</translation>
    </message>
    <message>
        <source>All Scores</source>
        <translation>Tous les scores</translation>
    </message>
    <message>
        <source>No scores have been posted for the Deal of the Day of %1 yet.</source>
        <translation>Aucun score n&apos;a encore été envoyé pour la donne du jour du %1.</translation>
    </message>
</context>
<context>
    <name>Tmain</name>
    <message>
        <source>START GAME</source>
        <translation>NOUVEAU JEU</translation>
    </message>
    <message>
        <source>UNDO -3</source>
        <translation>ANNULER -3</translation>
    </message>
    <message>
        <source>ENTER YOUR NAME</source>
        <translation>ENTREZ VOTRE NOM</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>SORRY, YOU LOST!</source>
        <translation>DOMMAGE, PERDU !</translation>
    </message>
    <message>
        <source>YOUR CLEARED THE BOARD!</source>
        <translation>PLATEAU DÉGAGÉ !</translation>
    </message>
    <message>
        <source>Enter Your Name</source>
        <translation>Entrez votre nom</translation>
    </message>
    <message>
        <source>SEND SCORE</source>
        <translation>ENVOYER</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>PALMARÈS</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>ANNULER</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait......</source>
        <translation>Envoi du score, patientez......</translation>
    </message>
    <message>
        <source>Update Available</source>
        <translation>Mise à jour disponible</translation>
    </message>
    <message>
        <source>Would you like to update now?</source>
        <translation>Voulez-vous mettre à jour maintenant ?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Partie</translation>
    </message>
    <message>
        <source>Start New Game</source>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation>Sons</translation>
    </message>
    <message>
        <source>Reset Screen Location</source>
        <translation>Réinitialiser la position de la fenêtre</translation>
    </message>
    <message>
        <source>Change  Name</source>
        <translation>Changer de nom</translation>
    </message>
    <message>
        <source>Automatically Check for Updates</source>
        <translation>Rechercher automatiquement les mises à jour</translation>
    </message>
    <message>
        <source>Animate Cards</source>
        <translation>Animer les cartes</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Tally List</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>View High Score List</source>
        <translation>Meilleurs scores en ligne</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Score: %1</source>
        <translation>Score : %1</translation>
    </message>
    <message>
        <source>Cards Left: %1</source>
        <translation>Cartes restantes : %1</translation>
    </message>
    <message>
        <source>Deal %1</source>
        <translation>Donne n° %1</translation>
    </message>
    <message>
        <source>Good Luck %1</source>
        <translation>Bonne chance %1</translation>
    </message>
    <message>
        <source>Welcome to Solmarin by Velbor Software!</source>
        <translation>Bienvenue dans Solmarin de Velbor Software !</translation>
    </message>
    <message>
        <source>You Cleared The Board!</source>
        <translation>Plateau dégagé !</translation>
    </message>
    <message>
        <source>Your Score: %1</source>
        <translation>Votre score : %1</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait</source>
        <translation>Envoi du score, patientez</translation>
    </message>
    <message>
        <source>Posting Failed.</source>
        <translation>L&apos;envoi a échoué.</translation>
    </message>
    <message>
        <source>Select Deal...</source>
        <translation>Choisir une donne...</translation>
    </message>
    <message>
        <source>Restart Deal</source>
        <translation>Recommencer la donne</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Indice</translation>
    </message>
    <message>
        <source>This game can no longer be won.</source>
        <translation>Cette partie n&apos;est plus gagnable.</translation>
    </message>
    <message>
        <source>Select Deal</source>
        <translation>Choisir une donne</translation>
    </message>
    <message>
        <source>Deal number (0 to 4294967295):</source>
        <translation>Numéro de donne (0 à 4294967295) :</translation>
    </message>
    <message>
        <source>Updating. Please Wait...</source>
        <translation>Mise à jour. Veuillez patienter...</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>%1 octets reçus</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Installation</translation>
    </message>
    <message>
        <source>There was an error in the update process. Please download %1 manually from %2.</source>
        <translation>Une erreur s&apos;est produite pendant la mise à jour. Veuillez télécharger %1 manuellement depuis %2.</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Téléchargement interrompu</translation>
    </message>
    <message>
        <source>Winnable Deals Only</source>
        <translation>Donnes gagnables uniquement</translation>
    </message>
    <message>
        <source>This deal cannot be won.</source>
        <translation>Cette donne est impossible.</translation>
    </message>
    <message>
        <source>Deal of the Day %1 (deal %2)</source>
        <translation>Donne du jour %1 (donne n° %2)</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Donne du jour</translation>
    </message>
    <message>
        <source>%1 web site</source>
        <translation>Site web de %1</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Votre nom</translation>
    </message>
    <message>
        <source>Hint: turn the stock.</source>
        <translation>Indice : retournez une carte du talon.</translation>
    </message>
    <message>
        <source>Hint: play the %1.</source>
        <translation>Indice : jouez %1.</translation>
    </message>
</context>
<context>
    <name>Ttallylist</name>
    <message>
        <source>Confirm</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation>Voulez-vous vraiment remettre les statistiques à zéro ?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>Solmarin - Tally List</source>
        <translation>Solmarin - Statistiques</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST</source>
        <translation>VOS STATISTIQUES</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Parties :</translation>
    </message>
    <message>
        <source>Games Cleared:</source>
        <translation>Gagnées :</translation>
    </message>
    <message>
        <source>Win Percentage:</source>
        <translation>% de victoires :</translation>
    </message>
    <message>
        <source>Longest Chain</source>
        <translation>Plus longue série</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>PALMARÈS</translation>
    </message>
    <message>
        <source>RESET TALLY</source>
        <translation>EFFACER</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Rang</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST: %1. HIGH SCORES</source>
        <translation>VOS STATISTIQUES : %1. PALMARÈS</translation>
    </message>
</context>
<context>
    <name>errorbox</name>
    <message>
        <source>An unexpected error occurred</source>
        <translation>Une erreur inattendue s&apos;est produite</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Impossible d&apos;écrire dans %1</translation>
    </message>
    <message>
        <source>%1 : this file has no valid header !</source>
        <translation>%1 : ce fichier n&apos;a pas d&apos;en-tête valide !</translation>
    </message>
    <message>
        <source>Error reading from the file %1</source>
        <translation>Erreur de lecture du fichier %1</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened</source>
        <translation>Impossible d&apos;ouvrir le fichier %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>« %1 » n&apos;est pas un nombre entier valide</translation>
    </message>
    <message>
        <source>Unable to write to the temporary folder</source>
        <translation>Impossible d&apos;écrire dans le dossier temporaire</translation>
    </message>
</context>
</TS>
