<!--#include virtual="comune.inc"-->
<!--#include virtual="membri.inc"-->
<%
// The topics of the shop's mailings. A signed-in member changes his own
// choice; a visitor subscribes with his e-mail address alone, as a
// mailing-only member, and gets a user name and password to change it
// later.
var collegato = area.ControlloUtenteCollegato();
var esito = -1;
var utenteNuovo = "", passwordNuova = "";
if (Posta()) {
    esito = area.RegistraUtente("", !collegato, false);
    if (esito == 1) {
        area.Free();
        Response.Redirect("/interessi.asp");
    }
    utenteNuovo = String(area.UserID);
    passwordNuova = String(area.PasswordGenerata);
    if (esito == 0 && collegato) {
        area.Free();
        area = Server.CreateObject("QTR50.AreaRiservata");
        area.SetConn(generale.Conn);
    }
}
var paginaCorrente = "/interessi.asp";
var titoloPagina = T("PMTINTERESSI", "I miei interessi");
%>
<!--#include virtual="testa.inc"-->
<section class="sezione interessi">
  <h1><%= H(titoloPagina) %></h1>
<% if (esito == 0) { %>
  <p class="messaggio ok" role="status" id="interessi-salvati"><%= H(T("MSGINTERESSISALVATI", "I tuoi interessi sono stati salvati.")) %></p>
<%   if (!collegato && utenteNuovo !== "") { %>
  <p id="utente-nuovo"><%= H(T("MSGUTENTEREGISTRATO", "Il tuo nome utente è [N].", utenteNuovo)) %>
<%     if (passwordNuova !== "") { %>
    <span id="password-nuova"><%= H(T("MSGPASSWORDMOSTRATA", "La tua password è [N]. Annotala: non sarà mostrata di nuovo.", passwordNuova)) %></span>
<%     } else { %>
    <%= H(T("MSGPASSWORDINVIATA", "La password ti è stata inviata per e-mail.")) %>
<%     } %></p>
<%   } %>
<% } %>
<% if (esito != 0 || collegato) { %>
<%   if (esito == 2) { %>
  <%= Errore() %>
<%     if (collegato) { %>
  <p><a href="/profilo.asp"><%= H(T("PMTPROFILO", "Il mio profilo")) %></a></p>
<%     } %>
<%   } %>
  <p><%= H(T("PMTINTERESSITESTO", "Scegli gli argomenti su cui vuoi ricevere le nostre e-mail.")) %></p>
  <form class="modulo" method="post" action="/interessi.asp" id="modulo-interessi">
<%   if (collegato) { %>
    <input type="hidden" name="IDUtente" value="<%= Number(area.IDUtente) %>">
<%= CampiMembroNascosti() %>
<%   } else { %>
    <input type="hidden" name="TipoUtente" value="2">
    <%= CampoMembro(campiMembro[11], area.Email, "email") %>
<%   } %>
    <%= CaselleInteressi() %>
    <p><button class="bottone" type="submit" name="Submit" value="Salva" id="salva-interessi"><%= H(T(collegato ? "PMTSALVA" : "PMTISCRIVITI", collegato ? "Salva" : "Iscriviti")) %></button></p>
  </form>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% area.Free(); %>
